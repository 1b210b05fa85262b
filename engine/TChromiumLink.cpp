#include "engine/TChromiumLink.h"

#include <algorithm>
#include <array>

namespace engine {

namespace {

// The links the calling thread is inside, innermost last. Callbacks nest only through an event
// handler that pumps messages, so a few levels are plenty; deeper ones are not counted and then
// only make a severing from inside them wait for the engine thread's callbacks as usual.
struct OwnEntries {
    std::array<const TChromiumLink*, 16> links{};
    std::size_t depth = 0;
};
thread_local OwnEntries ownEntries;

} // namespace

TChromiumLink::Entry::Entry(TChromiumLink& link)
{
    if (link.state_.fetch_add(1, std::memory_order_acquire) & SeveredBit) {
        link.state_.fetch_sub(1, std::memory_order_release);
        return;
    }
    link_ = &link;
    if (ownEntries.depth < ownEntries.links.size())
        ownEntries.links[ownEntries.depth] = &link;
    ++ownEntries.depth;
}

TChromiumLink::Entry::~Entry()
{
    if (!link_)
        return;
    --ownEntries.depth;
    // The link is alive here: the handler that entered it holds a share of it.
    if (link_->state_.fetch_sub(1, std::memory_order_release) & SeveredBit)
        link_->state_.notify_all();
}

void TChromiumLink::Sever()
{
    const std::size_t tracked = std::min(ownEntries.depth, ownEntries.links.size());
    const auto own = std::uint32_t(std::count(ownEntries.links.begin(), ownEntries.links.begin() + tracked, this));
    std::uint32_t state = state_.fetch_or(SeveredBit, std::memory_order_acq_rel) | SeveredBit;
    while ((state & InsideMask) > own) {
        state_.wait(state, std::memory_order_acquire);
        state = state_.load(std::memory_order_acquire);
    }
}

} // namespace engine
