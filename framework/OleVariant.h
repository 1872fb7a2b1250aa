// COleVariant: a tagged value of the automation types the archive knows
// (integers, reals, currency, date, boolean, byte, text), and its archive form.
#pragma once

#include "framework/FwDefs.h"
#include "framework/String.h"

class CArchive;

#ifdef _WIN32
typedef VARTYPE OleVarType;
#else
typedef uint16_t OleVarType;
enum {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UI1 = 17
};
#endif

class FW_API COleVariant {
public:
    COleVariant() { m_value.llVal = 0; }
    COleVariant(const COleVariant& other) = default;
    COleVariant& operator=(const COleVariant& other) = default;

    static COleVariant Short(int16_t v);
    static COleVariant Long(int32_t v);
    static COleVariant Float(float v);
    static COleVariant Double(double v);
    static COleVariant Currency(int64_t v);
    static COleVariant Date(double v);
    static COleVariant Bool(bool v);
    static COleVariant Byte(uint8_t v);
    static COleVariant Text(LPCSTR text);

    void Clear();
    bool operator==(const COleVariant& other) const;
    bool operator!=(const COleVariant& other) const { return !(*this == other); }
    // The kinds this class holds.
    static bool IsKnownType(OleVarType type);

    OleVarType vt = VT_EMPTY;
    union {
        int64_t llVal;  // VT_CY (in ten-thousandths)
        int16_t iVal;
        int32_t lVal;  // VT_I4, VT_ERROR
        float fltVal;
        double dblVal;    // VT_R8, VT_DATE
        int16_t boolVal;  // VARIANT_BOOL: -1 true, 0 false
        uint8_t bVal;
    } m_value;
    CString m_strVal;  // VT_BSTR, in the system code page
};

// The type as a 16-bit value, then the value in its own width (text in the
// string form). A type this class does not hold, read back, marks the archive failed.
FW_API CArchive& operator<<(CArchive& ar, const COleVariant& value);
FW_API CArchive& operator>>(CArchive& ar, COleVariant& value);
