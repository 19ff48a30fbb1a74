// A growable list of byte strings with its own sort order (shorter first, then the user's locale)
// and a CR LF joined text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace SimpleStrList {

class TSimpleStrList;

// Negative when the item at Index1 orders before the item at Index2, 0 when equal, positive otherwise.
typedef int32_t (*TStrListCompare)(TSimpleStrList& List, int32_t Index1, int32_t Index2);

class TSimpleStrList {
  public:
    TSimpleStrList() = default;
    TSimpleStrList(const TSimpleStrList&) = delete;
    TSimpleStrList& operator=(const TSimpleStrList&) = delete;
    virtual ~TSimpleStrList();

    void Add(const std::string& S);
    // An index outside 0..Count-1 reads as an empty string; Put and Exchange ignore one.
    const std::string& Get(int32_t Index) const;
    virtual void Put(int32_t Index, const std::string& S);
    virtual void GetText(std::string& Text) const;
    virtual void SetText(const char* P);
    virtual void Sort();
    virtual void SortWith(TStrListCompare Compare);
    void Clear();
    void SetCapacity(int32_t NewCapacity);
    void Exchange(int32_t Index1, int32_t Index2);
    void QuickSort(int32_t L, int32_t R, TStrListCompare Compare);

    int32_t Count = 0;
    int32_t Capacity = 0;

  private:
    bool InRange(int32_t Index) const { return Index >= 0 && Index < Count; }
    std::unique_ptr<std::string[]> Items;
};

int32_t CompareItems(TSimpleStrList& List, int32_t Index1, int32_t Index2);
int32_t CompareStrLenFirst(const std::string& S1, const std::string& S2);
int32_t CompareStrLocale(const std::string& S1, const std::string& S2);

} // namespace SimpleStrList
