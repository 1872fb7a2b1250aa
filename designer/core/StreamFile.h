// A compressed byte stream: closed, writing or reading.
#pragma once

#include "framework/Framework.h"

class CStreamFile {
public:
    enum { MODE_CLOSED = 0,
           MODE_WRITE = 1,
           MODE_READ = 2 };

    CStreamFile() : m_nMode(MODE_CLOSED), m_nLevel(-1), m_nStrategy(0) {}
    virtual ~CStreamFile() {}

    virtual BOOL SetMode(int mode)
    {
        m_nMode = mode;
        return TRUE;
    }
    virtual BOOL Close() = 0;
    virtual BOOL IsOpen() const = 0;
    virtual int Write(const void* buffer, unsigned length) = 0;
    virtual int WriteString(LPCTSTR text) = 0;
    virtual int Read(void* buffer, unsigned length) = 0;
    virtual BOOL ReadAll(unsigned char*& buffer, unsigned& length) = 0;
    virtual BOOL SetParams() = 0;

    int GetMode() const { return m_nMode; }
    void SetLevel(int level, int strategy = 0)
    {
        m_nLevel = level;
        m_nStrategy = strategy;
    }

protected:
    int m_nMode;
    int m_nLevel;
    int m_nStrategy;

private:
    CStreamFile(const CStreamFile&);
    CStreamFile& operator=(const CStreamFile&);
};
