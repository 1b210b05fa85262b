// The one way from the engine's handler objects to the control they report to. An engine thread
// enters the link for the length of one callback; the control severs it when it goes, and
// severing waits until every callback inside has left. So no callback reaches a control that is
// being destroyed, whatever thread it runs on.
//
// The handlers and the control share the link (it is reference-counted), so it outlives whichever
// of them goes last. Entering costs two atomic operations and no lock: the resource-load callback
// runs for every request of every page.
#pragma once

#include "engine/IChromiumEvents.h"

#include <atomic>
#include <cstdint>

namespace engine {

class TChromiumLink {
public:
    explicit TChromiumLink(IChromiumEvents* events) : events_(events) {}
    TChromiumLink(const TChromiumLink&) = delete;
    TChromiumLink& operator=(const TChromiumLink&) = delete;

    // The control for one callback; empty once the link is severed.
    class Entry {
    public:
        explicit Entry(TChromiumLink& link);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

        explicit operator bool() const { return link_ != nullptr; }
        IChromiumEvents* operator->() const { return link_->events_; }

    private:
        TChromiumLink* link_ = nullptr;
    };

    // From now on every entry is empty; returns once the callbacks inside have left, apart from
    // those further up the calling thread's own stack (a control destroyed from its own event).
    void Sever();
    bool IsSevered() const { return (state_.load(std::memory_order_acquire) & SeveredBit) != 0; }

private:
    static constexpr std::uint32_t SeveredBit = 0x80000000u;
    static constexpr std::uint32_t InsideMask = ~SeveredBit;

    IChromiumEvents* const events_;
    // The severed bit and the number of callbacks inside.
    std::atomic<std::uint32_t> state_{0};
};

} // namespace engine
