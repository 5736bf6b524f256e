#include "reflection/Persistent.h"

#include <algorithm>

TPersistent::~TPersistent()
{
    // An observer may remove itself or others while being told.
    while (!FFreeObservers.empty()) {
        TFreeObserver observer = std::move(FFreeObservers.back().second);
        FFreeObservers.pop_back();
        observer(this);
    }
}

int TPersistent::AddFreeObserver(TFreeObserver observer)
{
    const int id = ++FNextObserverId;
    FFreeObservers.emplace_back(id, std::move(observer));
    return id;
}

void TPersistent::RemoveFreeObserver(int id)
{
    FFreeObservers.erase(std::remove_if(FFreeObservers.begin(), FFreeObservers.end(),
                                        [id](const auto &entry) { return entry.first == id; }),
                         FFreeObservers.end());
}
