// A run's plan: the overlay reads the store below and its own writes, writes nothing below, and
// gives the net difference, which is then written all or nothing; against the in-memory store
// and Wine's registry.
#include "registry/OverlayStore.h"

#include <algorithm>

#include "registry/RegistryTransaction.h"
#include "support/RefusingStore.h"
#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

class Overlay : public StoreTest {
protected:
    static std::string Path(const std::string& sub) { return "HKLM\\" + In(sub); }
    static RegistryValue Value(std::uint32_t type, const Bytes& data) { return {type, data}; }
    // Every key and value below the sandbox, as text.
    std::vector<std::string> Tree(RegistryStore& store, const std::string& path = kSandbox) {
        std::vector<std::string> lines;
        if (!KeyExists(store, path)) return lines;
        lines.push_back(path);
        for (const std::string& name : ValueNames(store, path))
            lines.push_back(path + " | " + name + " = " + Show(store, path, name));
        for (const std::string& name : SubkeyNames(store, path))
            for (const std::string& line : Tree(store, path + "\\" + name)) lines.push_back(line);
        return lines;
    }
};

TEST_P(Overlay, ReadsSeeTheStoreBelowAndEarlierWritesAndNothingReachesBelow) {
    PutString(store(), In("Keep"), "name", "below");
    PutString(store(), In("Gone\\Leaf"), "v", "x");
    const std::vector<std::string> before = Tree(store());
    OverlayStore overlay(store());
    EXPECT_EQ(Show(overlay, In("Keep"), "name"), "SZ:below");
    PutString(overlay, In("Keep"), "name", "above");
    PutDword(overlay, In("New\\Deeper"), "n", 7);
    RemoveTree(overlay, In("Gone"));
    EXPECT_EQ(Show(overlay, In("Keep"), "name"), "SZ:above");
    EXPECT_EQ(Show(overlay, In("New\\Deeper"), "n"), "DWORD:7");
    EXPECT_FALSE(KeyExists(overlay, In("Gone")));
    EXPECT_EQ(SubkeyNames(overlay, kSandbox), (std::vector<std::string>{"Keep", "New"}));
    EXPECT_EQ(Tree(store()), before);
}

TEST_P(Overlay, TheNetDifferenceLeavesOutWhatCameBackAsItWas) {
    PutString(store(), In("Profile\\Tab1"), "Tree", "ACME");
    PutString(store(), In("Profile"), "Title", "old");
    PutString(store(), In("Old\\Below"), "v", "x");
    OverlayStore overlay(store());
    // Deleted and made again as it was, a value set and put back: no change.
    RemoveTree(overlay, In("Profile"));
    PutString(overlay, In("Profile\\Tab1"), "Tree", "ACME");
    PutString(overlay, In("Profile"), "Title", "new");
    PutString(overlay, In("Profile"), "Title", "old");
    EXPECT_EQ(overlay.NetChanges(), std::vector<RegistryChange>{});
    PutDword(overlay, In("Profile"), "Title", 1);
    PutString(overlay, In("Made"), "m", "1");
    RemoveTree(overlay, In("Old"));
    using C = RegistryChange;
    // In the order the run came to the keys; deleted keys last, each before its parent.
    const std::vector<RegistryChange> expected = {
        {C::ValueSet, Path("Profile"), "Title", Value(kRegSz, Sz("old")), Value(kRegDword, Dword(1))},
        {C::KeyCreated, Path("Made"), "", {}, {}},
        {C::ValueSet, Path("Made"), "m", {}, Value(kRegSz, Sz("1"))},
        {C::ValueDeleted, Path("Old\\Below"), "v", Value(kRegSz, Sz("x")), {}},
        {C::KeyDeleted, Path("Old\\Below"), "", {}, {}},
        {C::KeyDeleted, Path("Old"), "", {}, {}},
    };
    EXPECT_EQ(overlay.NetChanges(), expected);
}

TEST_P(Overlay, AKeyThatCannotBeWrittenBelowFailsAsTheRealRunWould) {
    if (!GetParam().deny) GTEST_SKIP();
    PutString(store(), In("Locked"), "v", "x");
    Deny(In("Locked"));
    OverlayStore overlay(store());
    HKey key = 0;
    ASSERT_EQ(overlay.OpenKey(kHkeyLocalMachine, In("Locked"), kKeyRead, &key), kErrorSuccess);
    EXPECT_EQ(overlay.QueryValue(key, "v", nullptr, nullptr), kErrorSuccess);  // reading is allowed
    overlay.CloseKey(key);
    EXPECT_EQ(overlay.OpenKey(kHkeyLocalMachine, In("Locked"), kKeyAllAccess, &key),
              kErrorAccessDenied);
    EXPECT_EQ(overlay.CreateKey(kHkeyLocalMachine, In("Locked"), kKeyAllAccess, &key),
              kErrorAccessDenied);
    EXPECT_EQ(overlay.NetChanges(), std::vector<RegistryChange>{});
}

// The plan written to the store leaves it as the overlay showed it, whatever order the run came
// to the keys in: a key made after a look at a key below it, a tree deleted from its middle.
// A refusal part-way puts back every change, in reverse.
TEST_P(Overlay, APlanWrittenLeavesTheStoreAsTheOverlayShowedItOrAsItWas) {
    PutString(store(), In("Tree\\Mid\\Leaf"), "v", "x");
    PutString(store(), In("Tree\\Mid"), "m", "y");
    PutString(store(), In("Keep"), "k", "old");
    PutDword(store(), In("Keep"), "d", 1);
    const std::vector<std::string> before = Tree(store());
    OverlayStore overlay(store());
    HKey key = 0;
    for (const char* missing : {"Made\\Deep", "MADE"})
        EXPECT_EQ(overlay.OpenKey(kHkeyLocalMachine, In(missing), kKeyRead, &key),
                  kErrorFileNotFound);
    // Made before the key below it, which the run looked at first, and named as the run that
    // makes it spells it.
    PutString(overlay, In("made"), "top", "1");
    PutString(overlay, In("Made\\Deep"), "deep", "2");
    PutString(overlay, In("Keep"), "k", "new");
    PutString(overlay, In("Keep"), "added", "a");
    PutString(overlay, In("Keep"), "gone", "g");
    ASSERT_EQ(overlay.OpenKey(kHkeyLocalMachine, In("Keep"), kKeyAllAccess, &key), kErrorSuccess);
    EXPECT_EQ(overlay.DeleteValue(key, "d"), kErrorSuccess);
    EXPECT_EQ(overlay.DeleteValue(key, "gone"), kErrorSuccess);  // made and deleted: no change
    overlay.CloseKey(key);
    RemoveTree(overlay, In("Tree\\Mid\\Leaf"));
    RemoveTree(overlay, In("Tree"));
    const std::vector<std::string> planned = Tree(overlay);
    const std::vector<PlannedChange> plan = overlay.Plan();

    for (std::size_t refused = 0; refused < plan.size(); ++refused) {
        SCOPED_TRACE("write " + std::to_string(refused) + " refused");
        RefusingStore refusing(store());
        refusing.Refuse(refused);
        try {
            Commit(plan, refusing);
            ADD_FAILURE() << "no error";
        } catch (const CommitError& e) {
            EXPECT_EQ(e.LeftChanged(), std::vector<RegistryChange>{});
        }
        std::vector<std::string> now = Tree(store()), expected = before;
        std::sort(now.begin(), now.end());  // a value put back comes last in its key
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(now, expected);
    }
    const std::vector<RegistryChange> written = Commit(plan, store());
    EXPECT_EQ(written, overlay.NetChanges());
    std::vector<std::string> now = Tree(store()), expected = planned;
    std::sort(now.begin(), now.end());  // Wine lists values sorted, the overlay as made
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(now, expected);
    EXPECT_EQ(SubkeyNames(store(), kSandbox), (std::vector<std::string>{"Keep", "made"}));
}

INSTANTIATE_TEST_SUITE_P(Stores, Overlay, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
