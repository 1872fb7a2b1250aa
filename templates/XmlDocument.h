// XmlDocument: the small markup reader of command templates. A tag scanner
// builds one top-level element with child elements and leaf entries; values
// are taken raw (no entities, no trimming) and looked up by "A:B:Leaf" paths.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace gorvanel {

struct XmlLeaf {
    std::string name;
    std::string text;
    std::string attributes;
};

struct XmlElement {
    std::string name;
    std::string attributes;
    std::vector<XmlLeaf> leaves;
    std::vector<std::unique_ptr<XmlElement>> children;
    XmlElement* parent = nullptr;

    void SetLeaf(const std::string& leafName, const std::string& text, const std::string& attrs);
    const XmlLeaf* FindLeaf(const std::string& leafName) const;
    XmlElement* FindChild(const std::string& childName) const;
};

std::vector<std::string> SplitPath(const std::string& text);

class XmlDocument;

// The element scan over a range of the document's text.
class XmlParser {
public:
    explicit XmlParser(XmlDocument& doc) : m_doc(doc) {}
    bool ParseElements(size_t begin, size_t end, int depth);

private:
    bool FindEndTag(const std::string& name, size_t from, size_t end, size_t& endTag) const;
    XmlDocument& m_doc;
};

class XmlDocument {
public:
    // Larger files are not read; deeper nesting fails the scan.
    enum { kMaxText = 256 * 1024,
           kMaxDepth = 32 };

    // False when the file cannot be opened, is too large or the scan fails;
    // what was scanned before a failure stays in the tree.
    bool Load(const std::string& path);
    bool LoadStream(std::istream& in);
    bool Parse(const char* text, long length);

    bool GetValue(const std::string& path, const std::string& defaultValue, std::string& value) const;
    const XmlElement* FindElement(const std::vector<std::string>& components) const;

    const XmlElement& Root() const { return m_root; }
    const std::string& Error() const { return m_error; }

private:
    friend class XmlParser;
    void Clear();

    std::string m_text;
    XmlElement m_root;
    XmlElement* m_current = &m_root;
    std::string m_error;
};

}  // namespace gorvanel
