#include <gtest/gtest.h>

#include "controls/OwnedObArray.h"
#include "controls/UniqueId.h"

namespace {

class Counted : public CObject {
public:
    explicit Counted(int* pDeleted) : m_pDeleted(pDeleted) {}
    ~Counted() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};

}  // namespace

TEST(UniqueId, CountsFromOneInEachProcess)
{
    EXPECT_EQ(1u, NewUniqueId());
    EXPECT_EQ(2u, NewUniqueId());
    EXPECT_EQ(3u, NewUniqueId());
}

TEST(OwnedObArray, DeletesEveryElementAndSkipsNulls)
{
    int deleted = 0;
    {
        COwnedObArray arr;
        arr.Add(new Counted(&deleted));
        arr.Add(NULL);
        arr.Add(new Counted(&deleted));
        arr.GetArray().Add(new Counted(&deleted));
        EXPECT_EQ(4, arr.GetSize());
        EXPECT_EQ(NULL, arr.GetAt(1));
    }
    EXPECT_EQ(3, deleted);

    COwnedObArray arr;
    arr.Add(new Counted(&deleted));
    arr.DeleteAll();
    EXPECT_EQ(4, deleted);
    EXPECT_EQ(0, arr.GetSize());
}
