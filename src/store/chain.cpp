#include "store/chain.h"

#include "platform/messages.h"
#include "store/store_messages.h"

namespace ploven {

namespace t = store_text;

void Link(Messages& msg, ChainLink* predecessor, ChainLink* node) {
  if (predecessor == nullptr) msg.InternalError(t::kLinkNullPredecessor, t::kModuleLink, __LINE__);
  if (node == nullptr) msg.InternalError(t::kLinkNullNode, t::kModuleLink, __LINE__);
  node->prev = predecessor;
  node->next = predecessor->next;
  if (predecessor->next != nullptr) predecessor->next->prev = node;
  predecessor->next = node;
}

void Append(Messages& msg, ChainLink* last, ChainLink* node) {
  if (node == nullptr) msg.InternalError(t::kAppendNullNode, t::kModuleLink, __LINE__);
  if (last == nullptr) msg.InternalError(t::kLinkNullPredecessor, t::kModuleLink, __LINE__);
  last = LastLink(last);
  last->next = node;
  node->prev = last;
  node->next = nullptr;
}

void Unlink(Messages& msg, ChainLink* node) {
  if (node == nullptr) msg.InternalError(t::kUnlinkNull, t::kModuleLink, __LINE__);
  if (node->prev == nullptr) msg.InternalError(t::kUnlinkHead, t::kModuleLink, __LINE__);
  node->prev->next = node->next;
  if (node->next != nullptr) node->next->prev = node->prev;
  node->prev = nullptr;
  node->next = nullptr;
}

ChainLink* GetChainHead(Messages& msg, ChainLink* node) {
  if (node == nullptr) msg.InternalError(t::kChainHeadNull, t::kModuleLink, __LINE__);
  while (node->prev != nullptr) node = node->prev;
  return node;
}

ChainLink* LastLink(ChainLink* node) {
  if (node == nullptr) return nullptr;
  while (node->next != nullptr) node = node->next;
  return node;
}

size_t CountLinks(const ChainLink* first) {
  size_t n = 0;
  for (; first != nullptr; first = first->next) ++n;
  return n;
}

bool IsInChain(const ChainLink* first, const ChainLink* node) {
  for (; first != nullptr; first = first->next)
    if (first == node) return true;
  return false;
}

void CheckChain(Messages& msg, const ChainLink* head) {
  if (head == nullptr) msg.InternalError(t::kChainIntegrity, t::kModuleLink, __LINE__);
  size_t steps = 0;
  const ChainLink* node = head;
  while (node->next != nullptr) {
    node = node->next;
    ++steps;
  }
  for (; steps > 0; --steps) {
    node = node->prev;
    if (node == nullptr) msg.InternalError(t::kChainIntegrity, t::kModuleLink, __LINE__);
  }
  if (node != head || head->prev != nullptr)
    msg.InternalError(t::kChainIntegrity, t::kModuleLink, __LINE__);
}

void SwapTasks(Messages& msg, ChainLink* task1, ChainLink* task2) {
  if (task1 == nullptr) msg.InternalError(t::kSwapTask1Null, t::kModuleLink, __LINE__);
  if (task2 == nullptr) msg.InternalError(t::kSwapTask2Null, t::kModuleLink, __LINE__);
  if (task1->prev == nullptr) msg.InternalError(t::kSwapTask1Head, t::kModuleLink, __LINE__);
  if (task1->next != task2) msg.InternalError(t::kSwapNotAdjacent, t::kModuleLink, __LINE__);
  ChainLink* before = task1->prev;
  ChainLink* after = task2->next;
  before->next = task2;
  task2->prev = before;
  task2->next = task1;
  task1->prev = task2;
  task1->next = after;
  if (after != nullptr) after->prev = task1;
}

}  // namespace ploven
