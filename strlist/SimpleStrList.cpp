#include "SimpleStrList.h"

#include <windows.h>

#include <utility>

namespace SimpleStrList {

TSimpleStrList::~TSimpleStrList() { Clear(); }

void TSimpleStrList::Add(const std::string& S) {
    // Linear growth: the lists of the program are short, and eight more slots a time is plenty.
    if (Count == Capacity) SetCapacity(Capacity + 8);
    Items[Count] = S;
    ++Count;
}

namespace {
// At namespace scope: a function's static would need a guard, code the program can do without.
const std::string Empty;
} // namespace

const std::string& TSimpleStrList::Get(int32_t Index) const {
    return InRange(Index) ? Items[Index] : Empty;
}

void TSimpleStrList::Put(int32_t Index, const std::string& S) {
    if (InRange(Index)) Items[Index] = S;
}

void TSimpleStrList::GetText(std::string& Text) const {
    const int32_t n = Count;
    size_t total = 0;
    for (int32_t i = 0; i < n; ++i) total += Items[i].size() + 2;
    Text.assign(total, '\0');
    size_t pos = 0;
    for (int32_t i = 0; i < n; ++i) {
        const std::string& item = Items[i];
        if (!item.empty()) item.copy(&Text[pos], item.size());
        pos += item.size();
        Text[pos++] = '\r';
        Text[pos++] = '\n';
    }
}

void TSimpleStrList::SetText(const char* P) {
    Clear();
    if (P == nullptr) return;
    while (*P != '\0') {
        const char* start = P;
        while (*P != '\0' && *P != '\n' && *P != '\r') ++P;
        Add(std::string(start, static_cast<size_t>(P - start)));
        if (*P == '\r') ++P;
        if (*P == '\n') ++P;
    }
}

void TSimpleStrList::Sort() { SortWith(CompareItems); }

void TSimpleStrList::SortWith(TStrListCompare Compare) {
    if (Count > 1) QuickSort(0, Count - 1, Compare);
}

void TSimpleStrList::Clear() {
    if (Count != 0)
        for (int32_t i = 0; i < Count; ++i) std::string().swap(Items[i]);
    Count = 0;
    SetCapacity(0);
}

void TSimpleStrList::SetCapacity(int32_t NewCapacity) {
    if (NewCapacity <= 0) {
        Items.reset();
    } else {
        // New slots start as empty strings; existing entries move over without copying characters.
        std::unique_ptr<std::string[]> slots(new std::string[static_cast<size_t>(NewCapacity)]);
        int32_t keep = Capacity < NewCapacity ? Capacity : NewCapacity;
        for (int32_t i = 0; i < keep; ++i) slots[i] = std::move(Items[i]);
        Items = std::move(slots);
    }
    Capacity = NewCapacity < 0 ? 0 : NewCapacity;
}

void TSimpleStrList::Exchange(int32_t Index1, int32_t Index2) {
    if (Index1 != Index2 && InRange(Index1) && InRange(Index2)) Items[Index1].swap(Items[Index2]);
}

void TSimpleStrList::QuickSort(int32_t L, int32_t R, TStrListCompare Compare) {
    int32_t I, J, P;
    do {
        I = L;
        J = R;
        P = static_cast<int32_t>((static_cast<uint32_t>(L) + static_cast<uint32_t>(R)) >> 1);
        do {
            // The bounds only matter for a comparison that is no order (a failing CompareStringA
            // answers "less" for everything): the scans then stop at the range's ends.
            while (I < R && Compare(*this, I, P) < 0) ++I;
            while (J > L && Compare(*this, J, P) > 0) --J;
            if (I <= J) {
                Exchange(I, J);
                // The pivot is an index: it follows its item when the item moves.
                if (P == I)
                    P = J;
                else if (P == J)
                    P = I;
                ++I;
                --J;
            }
        } while (I <= J);
        if (L < J) QuickSort(L, J, Compare);
        L = I;
    } while (I < R);
}

int32_t CompareItems(TSimpleStrList& List, int32_t Index1, int32_t Index2) {
    if (Index1 == Index2) return 0;
    return CompareStrLenFirst(List.Get(Index1), List.Get(Index2));
}

int32_t CompareStrLenFirst(const std::string& S1, const std::string& S2) {
    if (S1.size() != S2.size()) return static_cast<int32_t>(S1.size()) - static_cast<int32_t>(S2.size());
    return CompareStrLocale(S1, S2);
}

int32_t CompareStrLocale(const std::string& S1, const std::string& S2) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, S1.data(), static_cast<int>(S1.size()), S2.data(),
                          static_cast<int>(S2.size())) -
           2;
}

} // namespace SimpleStrList
