// A text box's history list: most recent first, at most 25, no repeats,
// written under its own identifier only, with no stale values left behind.
#include "app/history_list.h"

#include <gtest/gtest.h>

#include "config/memory_storage.h"

namespace lumora {
namespace {

using config::MemoryStorage;
using config::SettingsValue;

std::optional<SettingsValue> Stored(const MemoryStorage& s, const std::string& name) {
  return s.Get(config::kMruKey, name);
}

TEST(HistoryList, KeepsTheNewestTwentyFiveWithoutRepeats) {
  MemoryStorage storage;
  HistoryList h("QuickJump", storage);
  EXPECT_TRUE(h.Items().empty());
  for (int i = 0; i < 30; ++i) ASSERT_TRUE(h.Push("item " + std::to_string(i)).ok());
  ASSERT_EQ(h.Items().size(), 25u);
  EXPECT_EQ(h.Items().front(), "item 29");
  EXPECT_EQ(h.Items().back(), "item 5");
  // A repeat moves to the top instead of appearing twice.
  ASSERT_TRUE(h.Push("item 10").ok());
  EXPECT_EQ(h.Items().size(), 25u);
  EXPECT_EQ(h.Items().front(), "item 10");
  EXPECT_EQ(std::count(h.Items().begin(), h.Items().end(), "item 10"), 1);
  // Items differ by their bytes: another case is another item.
  ASSERT_TRUE(h.Push("ITEM 10").ok());
  EXPECT_EQ(h.Items()[1], "item 10");
  // Nothing typed: nothing changes, nothing written.
  const int flushes = storage.flush_count;
  ASSERT_TRUE(h.Push("").ok());
  ASSERT_TRUE(h.Push("ITEM 10").ok());  // already on top
  EXPECT_EQ(storage.flush_count, flushes);

  // What the next start reads back.
  HistoryList again("QuickJump", storage);
  EXPECT_EQ(again.Items(), h.Items());
  EXPECT_TRUE(again.Problems().empty());
}

TEST(HistoryList, WritesOnlyItsOwnValuesAndLeavesNoStaleItems) {
  MemoryStorage storage;
  storage.Set(config::kMruKey, "SearchBible_Count", SettingsValue::Dword(1));
  storage.Set(config::kMruKey, "SearchBible_Item0", SettingsValue::String("grace"));
  HistoryList h("QuickJump", storage);
  for (const char* t : {"c", "b", "a"}) ASSERT_TRUE(h.Push(t).ok());
  ASSERT_EQ(Stored(storage, "QuickJump_Count"), SettingsValue::Dword(3));
  EXPECT_TRUE(h.Remove("b"));
  EXPECT_FALSE(h.Remove("b"));  // no longer there
  EXPECT_EQ(h.Items(), (config::MruList{"a", "c"}));
  EXPECT_EQ(Stored(storage, "QuickJump_Count"), SettingsValue::Dword(2));
  EXPECT_EQ(Stored(storage, "QuickJump_Item1"), SettingsValue::String("c"));
  EXPECT_FALSE(Stored(storage, "QuickJump_Item2").has_value());  // the stale third item
  // The other box's list is untouched.
  EXPECT_EQ(Stored(storage, "SearchBible_Count"), SettingsValue::Dword(1));
  EXPECT_EQ(Stored(storage, "SearchBible_Item0"), SettingsValue::String("grace"));
}

TEST(HistoryList, ReadsPastDamagedAndRepeatedValues) {
  MemoryStorage storage;
  storage.Set(config::kMruKey, "QuickJump_Count", SettingsValue::Dword(40));
  storage.Set(config::kMruKey, "QuickJump_Item0", SettingsValue::String("jn 3:16"));
  storage.Set(config::kMruKey, "QuickJump_Item1", SettingsValue::String(""));
  storage.Set(config::kMruKey, "QuickJump_Item2", SettingsValue::String("jn 3:16"));
  storage.Set(config::kMruKey, "QuickJump_Item3", SettingsValue::Dword(7));
  storage.Set(config::kMruKey, "QuickJump_Item4", SettingsValue::String("16"));
  HistoryList h("QuickJump", storage);
  EXPECT_EQ(h.Items(), (config::MruList{"jn 3:16", "16"}));
  EXPECT_EQ(h.Problems().size(), 2u);  // the count and the dword item
}

TEST(HistoryList, SharesTheConfigurationStoresList) {
  MemoryStorage storage;
  config::MruList store{"old"};
  HistoryList first("SearchBible", storage, &store);
  HistoryList second("SearchBible", storage, &store);
  EXPECT_EQ(first.Items(), (config::MruList{"old"}));  // not read from the storage again
  ASSERT_TRUE(first.Push("new").ok());
  EXPECT_EQ(store, (config::MruList{"new", "old"}));
  EXPECT_EQ(second.Items(), store);
  EXPECT_EQ(Stored(storage, "SearchBible_Item0"), SettingsValue::String("new"));
}

TEST(HistoryList, ReportsAStoreThatRefusesTheWrite) {
  MemoryStorage storage;
  HistoryList h("QuickJump", storage);
  storage.fail_flush = true;
  EXPECT_FALSE(h.Push("x").ok());
  EXPECT_FALSE(h.LastWrite().ok());
  EXPECT_EQ(h.Items(), (config::MruList{"x"}));  // kept for the next write
  storage.fail_flush = false;
  EXPECT_TRUE(h.Save().ok());
}

}  // namespace
}  // namespace lumora
