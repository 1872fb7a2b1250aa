#include "framework/OleVariant.h"

#include "framework/Archive.h"

namespace {
COleVariant Make(OleVarType type)
{
    COleVariant v;
    v.vt = type;
    return v;
}
}  // namespace

COleVariant COleVariant::Short(int16_t v)
{
    COleVariant r = Make(VT_I2);
    r.m_value.iVal = v;
    return r;
}

COleVariant COleVariant::Long(int32_t v)
{
    COleVariant r = Make(VT_I4);
    r.m_value.lVal = v;
    return r;
}

COleVariant COleVariant::Float(float v)
{
    COleVariant r = Make(VT_R4);
    r.m_value.fltVal = v;
    return r;
}

COleVariant COleVariant::Double(double v)
{
    COleVariant r = Make(VT_R8);
    r.m_value.dblVal = v;
    return r;
}

COleVariant COleVariant::Currency(int64_t v)
{
    COleVariant r = Make(VT_CY);
    r.m_value.llVal = v;
    return r;
}

COleVariant COleVariant::Date(double v)
{
    COleVariant r = Make(VT_DATE);
    r.m_value.dblVal = v;
    return r;
}

COleVariant COleVariant::Bool(bool v)
{
    COleVariant r = Make(VT_BOOL);
    r.m_value.boolVal = v ? -1 : 0;
    return r;
}

COleVariant COleVariant::Byte(uint8_t v)
{
    COleVariant r = Make(VT_UI1);
    r.m_value.bVal = v;
    return r;
}

COleVariant COleVariant::Text(LPCSTR text)
{
    COleVariant r = Make(VT_BSTR);
    r.m_strVal = text ? text : "";
    return r;
}

void COleVariant::Clear()
{
    vt = VT_EMPTY;
    m_value.llVal = 0;
    m_strVal.Empty();
}

bool COleVariant::IsKnownType(OleVarType type)
{
    switch (type) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UI1:
        return true;
    default:
        return false;
    }
}

bool COleVariant::operator==(const COleVariant& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_I2:
        return m_value.iVal == other.m_value.iVal;
    case VT_I4:
    case VT_ERROR:
        return m_value.lVal == other.m_value.lVal;
    case VT_R4:
        return m_value.fltVal == other.m_value.fltVal;
    case VT_R8:
    case VT_DATE:
        return m_value.dblVal == other.m_value.dblVal;
    case VT_CY:
        return m_value.llVal == other.m_value.llVal;
    case VT_BOOL:
        return m_value.boolVal == other.m_value.boolVal;
    case VT_UI1:
        return m_value.bVal == other.m_value.bVal;
    case VT_BSTR:
        return m_strVal == other.m_strVal;
    default:
        return true;
    }
}

CArchive& operator<<(CArchive& ar, const COleVariant& value)
{
    ar << (WORD)value.vt;
    switch (value.vt) {
    case VT_I2:
        return ar << (WORD)value.m_value.iVal;
    case VT_I4:
    case VT_ERROR:
        return ar << (LONG)value.m_value.lVal;
    case VT_R4:
        return ar << value.m_value.fltVal;
    case VT_R8:
    case VT_DATE:
        return ar << value.m_value.dblVal;
    case VT_CY:
        return ar << (LONGLONG)value.m_value.llVal;
    case VT_BOOL:
        return ar << (WORD)value.m_value.boolVal;
    case VT_UI1:
        return ar << (BYTE)value.m_value.bVal;
    case VT_BSTR:
        return ar << value.m_strVal;
    default:
        return ar;
    }
}

CArchive& operator>>(CArchive& ar, COleVariant& value)
{
    value.Clear();
    WORD type = 0;
    ar >> type;
    if (ar.IsFailed() || !COleVariant::IsKnownType(type)) {
        ar.SetFailed();
        return ar;
    }
    value.vt = type;
    WORD w = 0;
    LONG l = 0;
    LONGLONG ll = 0;
    BYTE b = 0;
    switch (type) {
    case VT_I2:
        ar >> w;
        value.m_value.iVal = (int16_t)w;
        break;
    case VT_I4:
    case VT_ERROR:
        ar >> l;
        value.m_value.lVal = l;
        break;
    case VT_R4:
        ar >> value.m_value.fltVal;
        break;
    case VT_R8:
    case VT_DATE:
        ar >> value.m_value.dblVal;
        break;
    case VT_CY:
        ar >> ll;
        value.m_value.llVal = ll;
        break;
    case VT_BOOL:
        ar >> w;
        value.m_value.boolVal = (int16_t)w;
        break;
    case VT_UI1:
        ar >> b;
        value.m_value.bVal = b;
        break;
    case VT_BSTR:
        ar >> value.m_strVal;
        break;
    default:
        break;
    }
    if (ar.IsFailed())
        value.Clear();
    return ar;
}
