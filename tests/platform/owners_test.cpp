// The two owner templates every handle and COM reference of the tree goes
// through: each thing held is given back exactly once, whether the owner
// ends, is reset, moved from or moved onto.
#include <gtest/gtest.h>

#include <vector>

#include "platform/com_ref.h"
#include "platform/unique_any.h"
#include "tools/host/memory_stream.h"

namespace nuv {
namespace {

std::vector<int> g_closed;
void CloseProbe(int handle) { g_closed.push_back(handle); }
using ProbeHandle = UniqueAny<int, &CloseProbe, -1>;

TEST(UniqueAny, ClosesEachHandleOnceWhateverHappensToItsOwner) {
    g_closed.clear();
    {
        ProbeHandle a(1);
        ProbeHandle b(std::move(a));
        EXPECT_FALSE(a);
        ProbeHandle c(3);
        c = std::move(b);  // 3 is closed, 1 moves on
        EXPECT_EQ(g_closed, std::vector<int>{3});
        c = std::move(c);  // onto itself: nothing happens
        EXPECT_EQ(c.Get(), 1);
        c.Reset(0);        // 0 is a real handle here; -1 stands for none
        EXPECT_TRUE(c);
        *c.Put() = 5;      // closes 0 first
        const int handed = c.Detach();
        EXPECT_EQ(handed, 5);
        EXPECT_FALSE(c);
    }
    EXPECT_EQ(g_closed, (std::vector<int>{3, 1, 0}));
}

TEST(ComRef, HoldsOneReferenceACopyTwo) {
    ComRef<host::MemoryStream> stream(new host::MemoryStream);
    {
        ComRef<IStream> shared;
        shared.Share(stream.Get());
        EXPECT_EQ(stream->References(), 2);
        shared.Share(stream.Get());  // the same object again: still one of ours
        EXPECT_EQ(stream->References(), 2);
        ComRef<IStream> copy(shared);
        EXPECT_EQ(stream->References(), 3);
        copy = shared;
        EXPECT_EQ(stream->References(), 3);
        ComRef<IStream> moved(std::move(shared));
        EXPECT_FALSE(shared);
        EXPECT_EQ(stream->References(), 3);
        moved.Reset();
        EXPECT_EQ(stream->References(), 2);
        stream->AddRef();
        moved.Adopt(stream.Get());
        EXPECT_EQ(stream->References(), 3);
        EXPECT_EQ(QueryFace<IStream>(stream.Get(), IID_IPersistStream), nullptr);
        EXPECT_EQ(stream->References(), 3);
    }
    EXPECT_EQ(stream->References(), 1);
}

}  // namespace
}  // namespace nuv
