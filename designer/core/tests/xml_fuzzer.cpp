// Parses arbitrary text; a document that parses is rebuilt element by element
// through the writer, and the rebuilt text must parse to the same tree and data.
#include "designer/core/XmlDocument.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
void CheckAt(bool ok, int line)
{
    if (!ok) {
        std::fprintf(stderr, "xml_fuzzer: check failed at line %d\n", line);
        std::abort();
    }
}
#define Check(ok) CheckAt((ok), __LINE__)

// Copies the children of src's main position under out's main position.
void CopyChildren(CXmlDocument& src, CXmlDocument& out, int depth)
{
    Check(depth <= CXmlDocument::MAX_DEPTH);
    src.IntoElem();
    out.IntoElem();
    while (src.FindElem()) {
        Check(out.AddElem("E", src.GetData()));
        CopyChildren(src, out, depth + 1);
    }
    src.OutOfElem();
    out.OutOfElem();
}

// Walks both documents in step and checks structure and data.
void Compare(CXmlDocument& a, CXmlDocument& b)
{
    a.IntoElem();
    b.IntoElem();
    for (;;) {
        bool more = a.FindElem() != FALSE;
        Check(more == (b.FindElem() != FALSE));
        if (!more)
            break;
        Check(a.GetData() == b.GetData());
        Compare(a, b);
    }
    a.OutOfElem();
    b.OutOfElem();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CXmlDocument src;
    if (!src.SetDoc(text.c_str()))
        return 0;
    Check(src.FindElem());
    src.GetAttrib("a");
    src.FindChildElem("b");
    src.GetChildAttrib("c");
    src.GetChildData();

    CXmlDocument src2(src.GetDoc());
    Check(src2.FindElem());
    CXmlDocument out;
    Check(out.AddElem("E", src2.GetData()));
    CopyChildren(src2, out, 1);

    CXmlDocument reread;
    Check(reread.SetDoc(out.GetDoc()) != FALSE);
    CXmlDocument built(src.GetDoc());
    Check(built.FindElem() && reread.FindElem());
    Check(built.GetData() == reread.GetData());
    Compare(built, reread);

    // an attribute set on the parsed root reads back, and the text still parses
    CString value = CString(text.c_str()).Left(40);
    if (built.SetAttrib("zz", value))
        Check(built.GetAttrib("zz") == value);
    Check(built.AddChildElem("yy", value) != FALSE);
    Check(built.GetChildData() == value);
    CXmlDocument edited;
    Check(edited.SetDoc(built.GetDoc()) != FALSE);
    Check(edited.FindElem());
    Check(edited.GetAttrib("zz") == built.GetAttrib("zz"));
    return 0;
}
