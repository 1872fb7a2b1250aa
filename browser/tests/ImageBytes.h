// Test fixtures written byte by byte: romfs images from a described tree,
// and gzip and zip containers around any data.
#pragma once

#include "framework/File.h"

#include <zlib.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

struct TestEntry {
    std::string name;
    bool folder = false;
    bool exec = false;
    bool bare = false;  // a folder without "." and "..": info = own offset
    std::string data;
    std::vector<TestEntry> children;

    static TestEntry File(const std::string& n, const std::string& d, bool x = false)
    {
        TestEntry e;
        e.name = n;
        e.data = d;
        e.exec = x;
        return e;
    }
    static TestEntry Folder(const std::string& n, std::vector<TestEntry> c = {})
    {
        TestEntry e;
        e.name = n;
        e.folder = true;
        e.children = std::move(c);
        return e;
    }
};

class RomfsBytes {
public:
    // Children are written in the order given.
    static Bytes Make(const std::string& volume, const std::vector<TestEntry>& root)
    {
        RomfsBytes w;
        w.Put("-rom1fs-", 8);
        w.Word(0);
        w.Word(0);
        w.Name(volume);
        TestEntry r = TestEntry::Folder("", root);
        w.List(r, 0, 0);
        w.Patch(8, (uint32_t)w.m_b.size());
        return w.m_b;
    }

    static void PatchWord(Bytes& b, size_t at, uint32_t v)
    {
        b[at] = v >> 24;
        b[at + 1] = v >> 16;
        b[at + 2] = v >> 8;
        b[at + 3] = v;
    }
    static uint32_t WordAt(const Bytes& b, size_t at)
    {
        return (uint32_t)b[at] << 24 | (uint32_t)b[at + 1] << 16 | (uint32_t)b[at + 2] << 8 | b[at + 3];
    }
    // The headers of an image whose one file, "zeros", holds `size` bytes
    // that follow them to the image's end.
    static Bytes ZeroFileHead(const std::string& volume, uint32_t size)
    {
        Bytes head = Make(volume, {TestEntry::File("zeros", "")});
        // super block 32, "." 32, ".." 64, "zeros" header 96, its data 128
        PatchWord(head, 96 + 8, size);
        PatchWord(head, 8, 128 + size);
        head.resize(128);
        return head;
    }

    std::vector<uint32_t> m_headers;  // offsets of every header written

private:
    void Put(const void* p, size_t n) { m_b.insert(m_b.end(), (const uint8_t*)p, (const uint8_t*)p + n); }
    void Word(uint32_t v)
    {
        uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        Put(b, 4);
    }
    void Patch(size_t at, uint32_t v) { PatchWord(m_b, at, v); }
    void Name(const std::string& n)
    {
        Put(n.data(), n.size());
        size_t field = (n.size() + 16) & ~size_t(15);
        m_b.resize(m_b.size() + field - n.size(), 0);
    }
    void Pad() { m_b.resize((m_b.size() + 15) & ~size_t(15), 0); }

    // Writes the list of a folder; returns the offset of its first header.
    uint32_t List(const TestEntry& dir, uint32_t self, uint32_t parent)
    {
        std::vector<TestEntry> all;
        if (!dir.bare) {
            all.push_back(TestEntry::Folder("."));
            all.push_back(TestEntry::Folder(".."));
        }
        all.insert(all.end(), dir.children.begin(), dir.children.end());
        uint32_t first = (uint32_t)m_b.size();
        size_t prev = SIZE_MAX;
        for (size_t i = 0; i < all.size(); ++i) {
            const TestEntry& e = all[i];
            uint32_t at = (uint32_t)m_b.size();
            if (prev != SIZE_MAX)
                Patch(prev, WordAt(m_b, prev) | at);
            prev = at;
            bool dot = !dir.bare && i < 2;
            uint32_t type = dot ? 0 : e.folder ? 1
                                               : 2;
            Word(type | (e.exec ? 8 : 0));
            Word(dot ? (i == 0 ? self : parent) : 0);
            Word(e.folder ? 0 : (uint32_t)e.data.size());
            Word(0);
            Name(e.name);
            m_headers.push_back(at);
            if (dot)
                continue;
            if (e.folder) {
                uint32_t info = e.bare && e.children.empty() ? at : List(e, at, self);
                Patch(at + 4, info);
            } else {
                Put(e.data.data(), e.data.size());
                Pad();
            }
        }
        return first;
    }

    Bytes m_b;
};

inline Bytes Deflate(const Bytes& in, int windowBits)
{
    z_stream z = {};
    deflateInit2(&z, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, in.size()) + 64);
    z.next_in = const_cast<Bytes::value_type*>(in.data());
    z.avail_in = (uInt)in.size();
    z.next_out = out.data();
    z.avail_out = (uInt)out.size();
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline void Le16(Bytes& b, uint32_t v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
inline void Le32(Bytes& b, uint32_t v)
{
    Le16(b, v & 0xFFFF);
    Le16(b, v >> 16);
}
inline uint32_t Crc(const Bytes& d) { return crc32(0, d.data(), (uInt)d.size()); }

// A gzip file with a file name and a comment field.
inline Bytes MakeGzip(const Bytes& data, uint8_t flags = 0x18)
{
    Bytes g = {0x1F, 0x8B, 8, flags, 0, 0, 0, 0, 0, 3};
    if (flags & 0x04) {
        Le16(g, 3);
        g.insert(g.end(), {'x', 'y', 'z'});
    }
    if (flags & 0x08)
        g.insert(g.end(), {'m', '.', 'z', 'm', 'n', 0});
    if (flags & 0x10)
        g.insert(g.end(), {'h', 'i', 0});
    Bytes d = Deflate(data, -MAX_WBITS);
    g.insert(g.end(), d.begin(), d.end());
    Le32(g, Crc(data));
    Le32(g, (uint32_t)data.size());
    return g;
}

struct ZipMember {
    std::string name;
    Bytes data;
    uint16_t method = 8;
    uint16_t flags = 0;
};

// Local headers, data, central directory and end record.
inline Bytes MakeZip(const std::vector<ZipMember>& members)
{
    Bytes z, central;
    for (const ZipMember& m : members) {
        Bytes body = m.method == 8 ? Deflate(m.data, -MAX_WBITS) : m.data;
        uint32_t at = (uint32_t)z.size();
        Bytes h = {'P', 'K', 3, 4};
        Le16(h, 20);
        Le16(h, m.flags);
        Le16(h, m.method);
        Le16(h, 0);
        Le16(h, 0x21);
        Le32(h, Crc(m.data));
        Le32(h, (uint32_t)body.size());
        Le32(h, (uint32_t)m.data.size());
        Le16(h, (uint32_t)m.name.size());
        Le16(h, 4);
        h.insert(h.end(), m.name.begin(), m.name.end());
        h.insert(h.end(), {0xFE, 0xCA, 0, 0});  // an empty extra field
        z.insert(z.end(), h.begin(), h.end());
        z.insert(z.end(), body.begin(), body.end());
        Bytes c = {'P', 'K', 1, 2};
        Le16(c, 20);
        Le16(c, 20);
        Le16(c, m.flags);
        Le16(c, m.method);
        Le16(c, 0);
        Le16(c, 0x21);
        Le32(c, Crc(m.data));
        Le32(c, (uint32_t)body.size());
        Le32(c, (uint32_t)m.data.size());
        Le16(c, (uint32_t)m.name.size());
        Le16(c, 0);
        Le16(c, 0);
        Le16(c, 0);
        Le16(c, 0);
        Le32(c, 0);
        Le32(c, at);
        c.insert(c.end(), m.name.begin(), m.name.end());
        central.insert(central.end(), c.begin(), c.end());
    }
    uint32_t cd = (uint32_t)z.size();
    z.insert(z.end(), central.begin(), central.end());
    Bytes e = {'P', 'K', 5, 6};
    Le16(e, 0);
    Le16(e, 0);
    Le16(e, (uint32_t)members.size());
    Le16(e, (uint32_t)members.size());
    Le32(e, (uint32_t)central.size());
    Le32(e, cd);
    Le16(e, 0);
    z.insert(z.end(), e.begin(), e.end());
    return z;
}

inline bool WriteBytes(const CString& path, const Bytes& b)
{
    CFile f;
    if (!f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    return f.Write(b.data(), (UINT)b.size()) && f.Close();
}

inline Bytes ReadBytes(const CString& path)
{
    CFile f;
    Bytes b;
    if (!f.Open(path, CFile::modeRead | CFile::typeBinary))
        return b;
    b.resize((size_t)f.GetLength());
    if (!b.empty() && f.Read(b.data(), (UINT)b.size()) != b.size())
        b.clear();
    return b;
}

// Deterministic bytes of mixed compressibility.
inline Bytes TestData(size_t n, uint32_t seed)
{
    Bytes b(n);
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = (i / 64) % 3 ? (uint8_t)(x >> 24) : (uint8_t)('a' + i % 7);
    }
    return b;
}

typedef std::map<std::string, Bytes> Files;

inline uint32_t Be(const Bytes& b, size_t at)
{
    return at + 4 <= b.size() ? (uint32_t)b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3] : 0;
}

inline size_t Padded(const Bytes& b, size_t at, std::string& name)
{
    name.clear();
    while (at < b.size() && b[at])
        name += (char)b[at++];
    return (at + 16) & ~(size_t)15;
}

// Reads the volume name and the regular files of the root folder, written
// from the romfs layout rather than through the browser's reader.
inline bool ParseRomfs(const Bytes& b, std::string& volume, Files& files)
{
    if (b.size() < 32 || std::string(b.begin(), b.begin() + 8) != "-rom1fs-")
        return false;
    size_t at = Padded(b, 16, volume);
    for (int guard = 0; at && guard < 1000; ++guard) {
        uint32_t word = Be(b, at), size = Be(b, at + 8);
        std::string name;
        size_t data = Padded(b, at + 16, name);
        if (data + size > b.size())
            return false;
        if ((word & 7) == 2)
            files[name] = Bytes(b.begin() + data, b.begin() + data + size);
        at = word & ~15u;
    }
    return true;
}
