// Scoped owners: each holds one handle and releases it when it goes out of
// scope, on every return path. Owners move but never copy; a moved-from owner
// holds nothing. With Owning = false the same type holds a borrowed handle
// (a stock object, a system brush, a caller's file) and never releases it.
// Window-free: portable code uses it too.
#pragma once

template <class Traits, bool Owning = true>
class TScopedHandle {
public:
    typedef typename Traits::Type Type;

    TScopedHandle() : m_h(Traits::Null()) {}
    explicit TScopedHandle(Type h) : m_h(h) {}
    TScopedHandle(TScopedHandle&& other) : m_h(other.m_h) { other.m_h = Traits::Null(); }
    ~TScopedHandle() { Reset(); }

    TScopedHandle& operator=(TScopedHandle&& other)
    {
        if (this != &other) {
            Reset(other.m_h);
            other.m_h = Traits::Null();
        }
        return *this;
    }

    Type Get() const { return m_h; }
    operator Type() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Null(); }

    // Releases the handle held (if owned) and holds h instead.
    void Reset(Type h = Traits::Null())
    {
        if (Owning && m_h != Traits::Null() && m_h != h)
            Traits::Release(m_h);
        m_h = h;
    }

    // Gives the handle up without releasing it.
    Type Detach()
    {
        Type h = m_h;
        m_h = Traits::Null();
        return h;
    }

private:
    TScopedHandle(const TScopedHandle&);
    TScopedHandle& operator=(const TScopedHandle&);

    Type m_h;
};
