#pragma once

#include <cstddef>
#include <vector>

// An ordered sequence of pointers that, when asked to on construction, owns its items.
template <typename T>
class CommonContainer
{
public:
    explicit CommonContainer(bool ownsItems = true) : FOwnsItems(ownsItems) {}
    CommonContainer(const CommonContainer &) = delete;
    CommonContainer &operator=(const CommonContainer &) = delete;
    virtual ~CommonContainer() { Clear(); }

    int Add(T *item)
    {
        FItems.push_back(item);
        return static_cast<int>(FItems.size()) - 1;
    }

    void Clear()
    {
        if (FOwnsItems) {
            for (T *item : FItems)
                delete item;
        }
        FItems.clear();
    }

    int GetCount() const { return static_cast<int>(FItems.size()); }
    T *GetItem(int index) const { return FItems.at(static_cast<std::size_t>(index)); }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    bool FOwnsItems;
    std::vector<T *> FItems;
};
