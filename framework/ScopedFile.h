// A stdio stream owned for one scope. Window-free: portable code uses it too.
#pragma once

#include <cstdio>

#include "framework/ScopedOwner.h"

struct FileTraits {
    typedef FILE* Type;
    static Type Null() { return NULL; }
    static void Release(Type f) { fclose(f); }
};

// A stdio stream, closed at the end of its scope. A writer that must know
// whether the data reached the disk calls Close() and checks its result.
class CScopedFile : public TScopedHandle<FileTraits> {
public:
    CScopedFile() {}
    explicit CScopedFile(FILE* f) : TScopedHandle<FileTraits>(f) {}
    CScopedFile(CScopedFile&& other) : TScopedHandle<FileTraits>(static_cast<TScopedHandle<FileTraits>&&>(other)) {}
    CScopedFile& operator=(CScopedFile&& other)
    {
        TScopedHandle<FileTraits>::operator=(static_cast<TScopedHandle<FileTraits>&&>(other));
        return *this;
    }

    // Whether everything written reached the file: false when fclose fails or
    // an earlier write had failed. The owner holds nothing afterwards.
    bool Close()
    {
        FILE* f = Detach();
        if (f == NULL)
            return true;
        // flushed first: some C libraries' fclose drops a failed flush
        const bool flushed = fflush(f) == 0;
        const bool clean = !ferror(f);
        return fclose(f) == 0 && flushed && clean;
    }
};
