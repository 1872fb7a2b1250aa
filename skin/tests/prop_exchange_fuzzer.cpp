// Loads arbitrary bytes as an archive exchange of icon-set-like records.
#include "skin/support/PropExchange.h"

#include "framework/MemFile.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0);
    CMemFile file(copy.data(), (UINT)size);
    CVZRPropExchangeArchive px(&file, TRUE);
    px.ExchangeSchema();
    CVZRPropExchangeEnum items(&px, "Item");
    DWORD count = 0;
    if (items.GetPosition(count)) {
        while (std::unique_ptr<CVZRPropExchange> item = items.GetNext()) {
            CString text;
            COleVariant variant;
            COleDateTime date;
            if (!item->ExchangeText("Id", text) || !item->ExchangeProp("V", kPropVariant, &variant) ||
                !item->ExchangeProp("D", kPropDate, &date))
                break;
            BYTE* blob = NULL;
            DWORD length = 0;
            if (!item->ExchangeBlob("Data", &blob, &length))
                break;
            free(blob);
        }
    }
    CObject* object = NULL;
    if (px.ExchangeObjectRef(&object))
        delete object;
    return 0;
}
