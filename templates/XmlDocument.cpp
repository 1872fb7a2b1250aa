#include "templates/XmlDocument.h"

#include "framework/ScopedHandle.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace gorvanel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// Drops the CR of every CR LF pair, as a text-mode read would.
std::string ToLfLineEnds(const std::string& raw)
{
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        out += raw[i];
    }
    return out;
}

}  // namespace

void XmlElement::SetLeaf(const std::string& leafName, const std::string& text, const std::string& attrs)
{
    for (XmlLeaf& leaf : leaves) {
        if (leaf.name == leafName) {
            leaf.text = text;
            leaf.attributes = attrs;
            return;
        }
    }
    leaves.push_back(XmlLeaf{leafName, text, attrs});
}

const XmlLeaf* XmlElement::FindLeaf(const std::string& leafName) const
{
    for (const XmlLeaf& leaf : leaves)
        if (leaf.name == leafName)
            return &leaf;
    return nullptr;
}

XmlElement* XmlElement::FindChild(const std::string& childName) const
{
    for (const auto& child : children)
        if (child->name == childName)
            return child.get();
    return nullptr;
}

std::vector<std::string> SplitPath(const std::string& text)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < text.size()) {
        size_t colon = text.find(':', start);
        if (colon == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    return pieces;
}

// The end tag of `name` for a start tag whose '>' ends at `from`: start tags
// "<name>" met on the way are nested twins and each takes one more end tag.
bool XmlParser::FindEndTag(const std::string& name, size_t from, size_t end, size_t& endTag) const
{
    std::string_view text(m_doc.m_text.data(), end);
    const std::string close = "</" + name + ">";
    const std::string twin = "<" + name + ">";
    size_t found = text.find(close, from);
    if (found == std::string_view::npos)
        return false;
    size_t twinsFrom = from;
    for (;;) {
        size_t twins = 0;
        for (size_t t = text.find(twin, twinsFrom); t != std::string_view::npos && t < found;
             t = text.find(twin, t + twin.size()))
            ++twins;
        if (twins == 0)
            break;
        twinsFrom = found;
        while (twins-- > 0) {
            found = text.find(close, found + close.size());
            if (found == std::string_view::npos)
                return false;
        }
    }
    endTag = found;
    return true;
}

bool XmlParser::ParseElements(size_t begin, size_t end, int depth)
{
    if (depth > XmlDocument::kMaxDepth) {
        m_doc.m_error = "elements nested too deeply";
        return false;
    }
    std::string_view text(m_doc.m_text.data(), end);
    size_t pos = begin;
    for (;;) {
        size_t lt = text.find('<', pos);
        if (lt == std::string_view::npos)
            return true;
        size_t gt = text.find('>', lt + 1);
        if (gt == std::string_view::npos)
            return true;
        std::string_view tag = text.substr(lt + 1, gt - lt - 1);
        if (StartsWith(tag, "?xml") || StartsWith(tag, "!--") || (!tag.empty() && tag.back() == '/')) {
            pos = gt + 1;
            continue;
        }
        size_t nameLen = 0;
        while (nameLen < tag.size() && !IsBlank(tag[nameLen]))
            ++nameLen;
        std::string name(tag.substr(0, nameLen));
        std::string attrs(tag.substr(nameLen));

        size_t endTag = 0;
        if (name.empty() || !FindEndTag(name, gt + 1, end, endTag)) {
            m_doc.m_error = "no end tag for <" + name + ">";
            return false;
        }
        std::string_view content = text.substr(gt + 1, endTag - gt - 1);
        if (content.find('<') != std::string_view::npos) {
            XmlElement* parent = m_doc.m_current;
            if (depth == 0) {
                m_doc.m_root.name = name;
                m_doc.m_root.attributes = attrs;
                m_doc.m_current = &m_doc.m_root;
            } else {
                auto child = std::make_unique<XmlElement>();
                child->name = name;
                child->attributes = attrs;
                child->parent = parent;
                m_doc.m_current = child.get();
                parent->children.push_back(std::move(child));
            }
            if (!ParseElements(gt + 1, endTag, depth + 1))
                return false;
            m_doc.m_current = depth == 0 ? &m_doc.m_root : parent;
        } else {
            m_doc.m_current->SetLeaf(name, std::string(content), attrs);
        }
        pos = endTag + name.size() + 3;
    }
}

void XmlDocument::Clear()
{
    m_text.clear();
    m_root.name.clear();
    m_root.attributes.clear();
    m_root.leaves.clear();
    m_root.children.clear();
    m_current = &m_root;
    m_error.clear();
}

bool XmlDocument::Parse(const char* text, long length)
{
    Clear();
    if (text == nullptr || length < 1) {
        m_error = "no text";
        return false;
    }
    if (length > kMaxText) {
        m_error = "file too large";
        return false;
    }
    m_text.assign(text, static_cast<size_t>(length));
    XmlParser parser(*this);
    return parser.ParseElements(0, m_text.size(), 0);
}

bool XmlDocument::LoadStream(std::istream& in)
{
    std::string raw;
    char c;
    while (in.get(c)) {
        if (raw.size() >= static_cast<size_t>(kMaxText)) {
            Clear();
            m_error = "file too large";
            return false;
        }
        raw += c;
    }
    std::string text = ToLfLineEnds(raw);
    return Parse(text.data(), static_cast<long>(text.size()));
}

bool XmlDocument::Load(const std::string& path)
{
    Clear();
    CScopedFile f(std::fopen(path.c_str(), "rb"));
    if (!f.IsValid()) {
        m_error = "cannot open the file";
        return false;
    }
    std::string raw;
    char buffer[4096];
    size_t got;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
        if (raw.size() + got > static_cast<size_t>(kMaxText)) {
            tooLarge = true;
            break;
        }
        raw.append(buffer, got);
    }
    f.Reset();
    if (tooLarge) {
        m_error = "file too large";
        return false;
    }
    std::string text = ToLfLineEnds(raw);
    return Parse(text.data(), static_cast<long>(text.size()));
}

const XmlElement* XmlDocument::FindElement(const std::vector<std::string>& components) const
{
    if (components.empty() || m_root.name.empty() || components[0] != m_root.name)
        return nullptr;
    const XmlElement* element = &m_root;
    for (size_t i = 1; i < components.size() && element != nullptr; ++i)
        element = element->FindChild(components[i]);
    return element;
}

bool XmlDocument::GetValue(const std::string& path, const std::string& defaultValue, std::string& value) const
{
    std::vector<std::string> parts = SplitPath(path);
    value = defaultValue;
    if (parts.size() < 2)
        return false;
    std::string leafName = parts.back();
    parts.pop_back();
    const XmlElement* element = FindElement(parts);
    const XmlLeaf* leaf = element ? element->FindLeaf(leafName) : nullptr;
    if (leaf == nullptr)
        return false;
    value = leaf->text;
    return true;
}

}  // namespace gorvanel
