#pragma once

#include <cstddef>

namespace ploven {

class Messages;

// The doubly linked chains that hold a day's tasks. The first link of a chain
// is its head: it has no predecessor and carries no entry.
struct ChainLink {
  ChainLink* prev = nullptr;
  ChainLink* next = nullptr;
};

// Insert `node` after `predecessor`.
void Link(Messages& msg, ChainLink* predecessor, ChainLink* node);
// Make `node` the successor of `last`, which must end its chain.
void Append(Messages& msg, ChainLink* last, ChainLink* node);
// Take the node out of its chain without freeing it; chain heads are refused.
void Unlink(Messages& msg, ChainLink* node);
ChainLink* GetChainHead(Messages& msg, ChainLink* node);
ChainLink* LastLink(ChainLink* node);
size_t CountLinks(const ChainLink* first);
bool IsInChain(const ChainLink* first, const ChainLink* node);
inline bool IsChainHead(const ChainLink* node) { return node != nullptr && node->prev == nullptr; }
// Walks forward counting links, then back as many steps; anything but the head is fatal.
void CheckChain(Messages& msg, const ChainLink* head);
// Exchange two adjacent links (task1 before task2).
void SwapTasks(Messages& msg, ChainLink* task1, ChainLink* task2);

}  // namespace ploven
