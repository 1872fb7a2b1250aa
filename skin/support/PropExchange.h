// Settings saved and loaded by the same code: each call writes a value while
// storing and reads it back while loading. The archive form keeps the values in
// call order (names are not stored). Window-free.
#pragma once

#include "framework/Archive.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <memory>
#include <vector>

// Value kinds (variant type numbers) and their sizes in the archive.
enum VZRPropKind {
    kPropShort = 2,     // 2 bytes
    kPropLong = 3,      // 4 bytes
    kPropFloat = 4,     // 4 bytes
    kPropDouble = 5,    // 8 bytes
    kPropCurrency = 6,  // int64_t, two 4-byte halves, low first
    kPropDate = 7,      // COleDateTime
    kPropBool = 11,     // BOOL, 4 bytes
    kPropVariant = 12,  // COleVariant
    kPropByte = 17,     // 1 byte
    kPropText = 30,     // CString
    kPropRect = 100,    // 16 raw bytes
    kPropPoint = 101    // 8 raw bytes (a point or a size)
};

const int kPropDefaultSchema = 24;
const int kPropUnmarkedSchema = 17;
const uint32_t kPropSchemaMark = 0x0FF0ADBF;

class CVZRPropExchange : public CObject {
    DECLARE_DYNAMIC(CVZRPropExchange)
public:
    BOOL IsLoading() const { return m_bLoading; }
    int GetSchema() const { return m_nSchema; }

    // value points at the kind's type; defaultValue serves forms that store by name.
    virtual BOOL ExchangeProp(LPCSTR name, int kind, void* value, const void* defaultValue = NULL) = 0;
    BOOL ExchangeInt(LPCSTR name, int& value, int defaultValue = 0);
    BOOL ExchangeUInt(LPCSTR name, UINT& value, UINT defaultValue = 0);
    BOOL ExchangeBool(LPCSTR name, BOOL& value, BOOL defaultValue = FALSE);
    BOOL ExchangeByte(LPCSTR name, BYTE& value, BYTE defaultValue = 0);
    BOOL ExchangeText(LPCSTR name, CString& value, LPCSTR defaultValue = "");

    // Loading allocates the buffer (malloc) when *bytes is NULL; else *length is
    // its room and a longer value fails. Here as text, two letters A to P per byte.
    virtual BOOL ExchangeBlob(LPCSTR name, BYTE** bytes, DWORD* length);
    // "Class": the class name; loading finds the registered class of that name.
    BOOL ExchangeClass(CRuntimeClass** runtimeClass);
    BOOL ExchangeSchema();
    BOOL ExchangeCount(DWORD& count);
    // A sub-exchange for a named section.
    virtual std::unique_ptr<CVZRPropExchange> GetSection(LPCSTR name) = 0;
    // The object's own Serialize through a memory archive, kept as a blob; FALSE
    // when that archive failed (the object may mark it so).
    BOOL ExchangeObject(LPCSTR name, CObject* object);
    // The most items a loaded count may announce.
    virtual DWORD GetItemLimit() const { return 0xFFFFFFFFu; }
    // For readers that find the data malformed.
    virtual void MarkFailed() {}

protected:
    CVZRPropExchange(BOOL loading, int schema) : m_bLoading(loading), m_nSchema(schema) {}
    BOOL m_bLoading;
    int m_nSchema;
};

class CVZRPropExchangeArchive : public CVZRPropExchange {
    DECLARE_DYNAMIC(CVZRPropExchangeArchive)
public:
    // Storing writes the schema mark and schema; loading reads them when the
    // file's next bytes are the mark, else nothing is consumed and the schema is 17.
    CVZRPropExchangeArchive(CFile* file, BOOL loading, int schema = kPropDefaultSchema);
    ~CVZRPropExchangeArchive() override;

    BOOL IsFailed() const { return m_pArchive->IsFailed(); }
    CArchive& GetArchive() { return *m_pArchive; }
    // Writes out what a storing archive holds; FALSE when anything failed.
    BOOL Close();

    BOOL ExchangeProp(LPCSTR name, int kind, void* value, const void* defaultValue = NULL) override;
    BOOL ExchangeBlob(LPCSTR name, BYTE** bytes, DWORD* length) override;
    std::unique_ptr<CVZRPropExchange> GetSection(LPCSTR name) override;
    DWORD GetItemLimit() const override;
    void MarkFailed() override { m_pArchive->SetFailed(); }

    // Class records: a name the first time, an index after it.
    BOOL ExchangeRuntimeClass(CRuntimeClass** runtimeClass);
    // An object by reference: stored once with its class, later as an index;
    // loading makes it through its class (the caller owns a new object).
    BOOL ExchangeObjectRef(CObject** object);

private:
    struct Records {
        std::vector<CRuntimeClass*> classes;
        std::vector<CObject*> objects;
    };
    CVZRPropExchangeArchive(CArchive* archive, BOOL loading, int schema, std::shared_ptr<Records> records);

    std::unique_ptr<CArchive> m_ownArchive;
    CArchive* m_pArchive;
    std::shared_ptr<Records> m_records;
};

// Items of an enumerated section: a "Count", then one section per item named
// after the base name and the item's index.
class CVZRPropExchangeEnum {
public:
    CVZRPropExchangeEnum(CVZRPropExchange* exchange, LPCSTR baseName)
        : m_pExchange(exchange), m_strBase(baseName) {}
    // Storing: count is stored; loading: it is read back. TRUE when an item follows.
    BOOL GetPosition(DWORD& count);
    // The next item's exchange; NULL after the last.
    std::unique_ptr<CVZRPropExchange> GetNext();
    BOOL IsValid() const { return m_bValid; }

private:
    CVZRPropExchange* m_pExchange;
    CString m_strBase;
    DWORD m_count = 0;
    DWORD m_index = 0;
    BOOL m_bValid = FALSE;
};
