#include "skin/support/PropExchange.h"

#include "framework/MemFile.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CVZRPropExchange, CObject)
IMPLEMENT_DYNAMIC(CVZRPropExchangeArchive, CVZRPropExchange)

namespace {
const DWORD kNullTag = 0;
const DWORD kNewObjectTag = 1;
const DWORD kObjectIndexBit = 0x80000000u;
const DWORD kNewClassTag = 0xFFFFFFFFu;

typedef std::unique_ptr<BYTE, decltype(&free)> MallocOwner;

uint32_t Le32(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }

// A buffer for a loaded value of n bytes: the caller's when it has room, else a new one.
BYTE* TakeBuffer(BYTE** bytes, DWORD* length, DWORD n, bool& allocated)
{
    allocated = false;
    if (*bytes)
        return *length >= n ? *bytes : NULL;
    allocated = true;
    return static_cast<BYTE*>(malloc(n ? n : 1));
}
}  // namespace

BOOL CVZRPropExchange::ExchangeInt(LPCSTR name, int& value, int defaultValue)
{
    int32_t v = value;
    int32_t d = defaultValue;
    if (!ExchangeProp(name, kPropLong, &v, &d))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeUInt(LPCSTR name, UINT& value, UINT defaultValue)
{
    int32_t v = (int32_t)value;
    int32_t d = (int32_t)defaultValue;
    if (!ExchangeProp(name, kPropLong, &v, &d))
        return FALSE;
    value = (UINT)v;
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeBool(LPCSTR name, BOOL& value, BOOL defaultValue)
{
    return ExchangeProp(name, kPropBool, &value, &defaultValue);
}

BOOL CVZRPropExchange::ExchangeByte(LPCSTR name, BYTE& value, BYTE defaultValue)
{
    return ExchangeProp(name, kPropByte, &value, &defaultValue);
}

BOOL CVZRPropExchange::ExchangeText(LPCSTR name, CString& value, LPCSTR defaultValue)
{
    CString d = defaultValue ? defaultValue : "";
    return ExchangeProp(name, kPropText, &value, &d);
}

BOOL CVZRPropExchange::ExchangeBlob(LPCSTR name, BYTE** bytes, DWORD* length)
{
    if (!bytes || !length)
        return FALSE;
    if (!m_bLoading) {
        if (*length && !*bytes)
            return FALSE;
        CString text;
        char* p = text.GetBuffer((int)(*length * 2));
        for (DWORD i = 0; i < *length; ++i) {
            p[2 * i] = (char)('A' + ((*bytes)[i] & 0x0F));
            p[2 * i + 1] = (char)('A' + ((*bytes)[i] >> 4));
        }
        text.ReleaseBuffer((int)(*length * 2));
        return ExchangeText(name, text);
    }
    CString text;
    if (!ExchangeText(name, text))
        return FALSE;
    int len = text.GetLength();
    if (len % 2)
        return FALSE;
    const char* p = text;
    for (int i = 0; i < len; ++i) {
        if (p[i] < 'A' || p[i] > 'P')
            return FALSE;
    }
    DWORD n = (DWORD)len / 2;
    bool allocated = false;
    BYTE* out = TakeBuffer(bytes, length, n, allocated);
    if (!out)
        return FALSE;
    for (DWORD i = 0; i < n; ++i)
        out[i] = (BYTE)((p[2 * i] - 'A') | (p[2 * i + 1] - 'A') << 4);
    *bytes = out;
    *length = n;
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeClass(CRuntimeClass** runtimeClass)
{
    if (!runtimeClass)
        return FALSE;
    CString name;
    if (!m_bLoading) {
        if (!*runtimeClass)
            return FALSE;
        name = (*runtimeClass)->m_lpszClassName;
    }
    if (!ExchangeText("Class", name))
        return FALSE;
    if (m_bLoading) {
        CRuntimeClass* found = CRuntimeClass::FromName(name);
        if (!found)
            return FALSE;
        *runtimeClass = found;
    }
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeSchema()
{
    int schema = m_nSchema;
    if (!ExchangeInt("Schema", schema, kPropDefaultSchema))
        return FALSE;
    m_nSchema = schema;
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeCount(DWORD& count)
{
    UINT value = count;
    if (!ExchangeUInt("Count", value))
        return FALSE;
    count = value;
    return TRUE;
}

BOOL CVZRPropExchange::ExchangeObject(LPCSTR name, CObject* object)
{
    if (!object)
        return FALSE;
    if (m_bLoading) {
        BYTE* data = NULL;
        DWORD length = 0;
        if (!ExchangeBlob(name, &data, &length))
            return FALSE;
        MallocOwner owner(data, free);
        CMemFile file(data, length);
        CArchive ar(&file, CArchive::load, 4096);
        object->Serialize(ar);
        return !ar.IsFailed();
    }
    CMemFile file(1024);
    BOOL ok;
    {
        CArchive ar(&file, CArchive::store, 4096);
        object->Serialize(ar);
        ok = ar.Close() && !ar.IsFailed();
    }
    DWORD length = (DWORD)file.GetLength();
    BYTE* data = file.Detach();
    MallocOwner owner(data, free);
    return ok && ExchangeBlob(name, &data, &length);
}

CVZRPropExchangeArchive::CVZRPropExchangeArchive(CFile* file, BOOL loading, int schema)
    : CVZRPropExchange(loading, schema), m_records(std::make_shared<Records>())
{
    bool shortHeader = false;
    if (loading) {
        ULONGLONG start = file->GetPosition();
        BYTE head[8] = {};
        if (file->Read(head, 4) == 4 && Le32(head) == kPropSchemaMark) {
            shortHeader = file->Read(head + 4, 4) != 4;
            m_nSchema = (int)Le32(head + 4);
        } else {
            m_nSchema = kPropUnmarkedSchema;
            file->Seek((LONGLONG)start, CFile::begin);
        }
    }
    m_ownArchive.reset(new CArchive(file, loading ? CArchive::load : CArchive::store));
    m_pArchive = m_ownArchive.get();
    if (shortHeader)
        m_pArchive->SetFailed();
    if (!loading)
        *m_pArchive << (DWORD)kPropSchemaMark << (DWORD)m_nSchema;
}

CVZRPropExchangeArchive::CVZRPropExchangeArchive(CArchive* archive, BOOL loading, int schema,
                                                 std::shared_ptr<Records> records)
    : CVZRPropExchange(loading, schema), m_pArchive(archive), m_records(records)
{
}

CVZRPropExchangeArchive::~CVZRPropExchangeArchive()
{
    if (m_ownArchive)
        m_ownArchive->Close();
}

BOOL CVZRPropExchangeArchive::Close()
{
    if (!m_ownArchive)
        return !m_pArchive->IsFailed();
    BOOL ok = m_ownArchive->Close();
    return ok && !m_ownArchive->IsFailed();
}

namespace {
BOOL RawBytes(CArchive& ar, BOOL loading, void* value, UINT size)
{
    if (!loading) {
        ar.Write(value, size);
    } else if (ar.Read(value, size) != size) {
        memset(value, 0, size);
        ar.SetFailed();
    }
    return !ar.IsFailed();
}

// One value in or out, as the archive's direction says.
template <class T>
void ExchangeValue(CArchive& ar, BOOL loading, void* value)
{
    T& v = *static_cast<T*>(value);
    if (loading)
        ar >> v;
    else
        ar << v;
}
}  // namespace

BOOL CVZRPropExchangeArchive::ExchangeProp(LPCSTR, int kind, void* value, const void*)
{
    CArchive& ar = *m_pArchive;
    if (ar.IsFailed() || !value)
        return FALSE;
    switch (kind) {
    case kPropShort:
        ExchangeValue<short>(ar, m_bLoading, value);
        break;
    case kPropLong:
    case kPropBool:
        ExchangeValue<int>(ar, m_bLoading, value);
        break;
    case kPropFloat:
        ExchangeValue<float>(ar, m_bLoading, value);
        break;
    case kPropDouble:
        ExchangeValue<double>(ar, m_bLoading, value);
        break;
    case kPropCurrency: {
        int64_t& v = *static_cast<int64_t*>(value);
        unsigned low = (unsigned)(uint64_t)v, high = (unsigned)((uint64_t)v >> 32);
        if (m_bLoading) {
            ar >> low >> high;
            v = (int64_t)((uint64_t)high << 32 | low);
        } else {
            ar << low << high;
        }
        break;
    }
    case kPropDate:
        ExchangeValue<COleDateTime>(ar, m_bLoading, value);
        break;
    case kPropVariant:
        ExchangeValue<COleVariant>(ar, m_bLoading, value);
        break;
    case kPropByte:
        ExchangeValue<BYTE>(ar, m_bLoading, value);
        break;
    case kPropText:
        ExchangeValue<CString>(ar, m_bLoading, value);
        break;
    case kPropRect:
        return RawBytes(ar, m_bLoading, value, 16);
    case kPropPoint:
        return RawBytes(ar, m_bLoading, value, 8);
    default:
        break;
    }
    return !ar.IsFailed();
}

BOOL CVZRPropExchangeArchive::ExchangeBlob(LPCSTR, BYTE** bytes, DWORD* length)
{
    CArchive& ar = *m_pArchive;
    if (ar.IsFailed() || !bytes || !length)
        return FALSE;
    if (!m_bLoading) {
        if (*length && !*bytes)
            return FALSE;
        ar.WriteCount(*length);
        ar.Write(*bytes, *length);
        return !ar.IsFailed();
    }
    DWORD_PTR n = ar.ReadCount();
    if (ar.IsFailed() || n > ar.Remaining()) {
        ar.SetFailed();
        return FALSE;
    }
    bool allocated = false;
    BYTE* out = TakeBuffer(bytes, length, (DWORD)n, allocated);
    if (!out) {
        ar.SetFailed();
        return FALSE;
    }
    if (ar.Read(out, (UINT)n) != n) {
        if (allocated)
            free(out);
        ar.SetFailed();
        return FALSE;
    }
    *bytes = out;
    *length = (DWORD)n;
    return TRUE;
}

std::unique_ptr<CVZRPropExchange> CVZRPropExchangeArchive::GetSection(LPCSTR)
{
    return std::unique_ptr<CVZRPropExchange>(new CVZRPropExchangeArchive(m_pArchive, m_bLoading, m_nSchema, m_records));
}

DWORD CVZRPropExchangeArchive::GetItemLimit() const
{
    if (!m_bLoading)
        return 0xFFFFFFFFu;
    return (DWORD)std::min<ULONGLONG>(m_pArchive->Remaining(), 0xFFFFFFFFu);
}

BOOL CVZRPropExchangeArchive::ExchangeRuntimeClass(CRuntimeClass** runtimeClass)
{
    CArchive& ar = *m_pArchive;
    if (ar.IsFailed() || !runtimeClass)
        return FALSE;
    std::vector<CRuntimeClass*>& classes = m_records->classes;
    if (!m_bLoading) {
        if (!*runtimeClass) {
            ar << (DWORD)kNullTag;
            return !ar.IsFailed();
        }
        auto it = std::find(classes.begin(), classes.end(), *runtimeClass);
        if (it != classes.end()) {
            ar << (DWORD)(it - classes.begin() + 1);
        } else {
            classes.push_back(*runtimeClass);
            ar << (DWORD)kNewClassTag << CString((*runtimeClass)->m_lpszClassName);
        }
        return !ar.IsFailed();
    }
    DWORD tag = 0;
    ar >> tag;
    if (ar.IsFailed())
        return FALSE;
    if (tag == kNullTag) {
        *runtimeClass = NULL;
        return TRUE;
    }
    if (tag == kNewClassTag) {
        CString name;
        ar >> name;
        CRuntimeClass* found = ar.IsFailed() ? NULL : CRuntimeClass::FromName(name);
        if (!found) {
            ar.SetFailed();
            return FALSE;
        }
        classes.push_back(found);
        *runtimeClass = found;
        return TRUE;
    }
    if (tag > classes.size()) {
        ar.SetFailed();
        return FALSE;
    }
    *runtimeClass = classes[tag - 1];
    return TRUE;
}

BOOL CVZRPropExchangeArchive::ExchangeObjectRef(CObject** object)
{
    CArchive& ar = *m_pArchive;
    if (ar.IsFailed() || !object)
        return FALSE;
    std::vector<CObject*>& objects = m_records->objects;
    if (!m_bLoading) {
        if (!*object) {
            ar << (DWORD)kNullTag;
            return !ar.IsFailed();
        }
        auto it = std::find(objects.begin(), objects.end(), *object);
        if (it != objects.end()) {
            ar << (DWORD)(kObjectIndexBit | (DWORD)(it - objects.begin() + 1));
            return !ar.IsFailed();
        }
        objects.push_back(*object);
        ar << (DWORD)kNewObjectTag;
        CRuntimeClass* cls = (*object)->GetRuntimeClass();
        if (!ExchangeRuntimeClass(&cls))
            return FALSE;
        (*object)->Serialize(ar);
        return !ar.IsFailed();
    }
    DWORD tag = 0;
    ar >> tag;
    if (ar.IsFailed())
        return FALSE;
    if (tag == kNullTag) {
        *object = NULL;
        return TRUE;
    }
    if (tag & kObjectIndexBit) {
        DWORD index = tag & ~kObjectIndexBit;
        if (index == 0 || index > objects.size()) {
            ar.SetFailed();
            return FALSE;
        }
        *object = objects[index - 1];
        return TRUE;
    }
    CRuntimeClass* cls = NULL;
    if (tag != kNewObjectTag || !ExchangeRuntimeClass(&cls) || !cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CObject))) {
        ar.SetFailed();
        return FALSE;
    }
    std::unique_ptr<CObject> made(cls->CreateObject());
    if (!made) {
        ar.SetFailed();
        return FALSE;
    }
    objects.push_back(made.get());
    made->Serialize(ar);
    if (ar.IsFailed()) {
        objects.pop_back();
        return FALSE;
    }
    *object = made.release();
    return TRUE;
}

BOOL CVZRPropExchangeEnum::GetPosition(DWORD& count)
{
    m_index = 0;
    m_bValid = FALSE;
    DWORD value = count;
    if (!m_pExchange->ExchangeCount(value))
        return FALSE;
    // Every item takes at least a byte: a larger count is not believed.
    if (m_pExchange->IsLoading() && value > m_pExchange->GetItemLimit())
        return FALSE;
    count = value;
    m_count = value;
    m_bValid = TRUE;
    return m_count > 0;
}

std::unique_ptr<CVZRPropExchange> CVZRPropExchangeEnum::GetNext()
{
    if (!m_bValid || m_index >= m_count)
        return nullptr;
    CString name;
    name.Format("%s%i", (LPCSTR)m_strBase, (int)m_index++);
    return m_pExchange->GetSection(name);
}
