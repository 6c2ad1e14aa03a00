#include "store/act_chain.h"

namespace ploven {

std::string ActChain::SortKey(std::string_view title) {
  std::string key(title);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

void ActChain::Insert(ActHandle act, std::string_view fullTitle, int32_t date) {
  // A multimap puts a new key after the equal ones: later arrivals follow.
  auto it = m_order.emplace(SortKey(fullTitle), Node{act, date});
  m_where[act] = it;
}

bool ActChain::Remove(ActHandle act) {
  auto w = m_where.find(act);
  if (w == m_where.end()) return false;
  m_order.erase(w->second);
  m_where.erase(w);
  return true;
}

const ActChain::Node* ActChain::Find(ActHandle act) const {
  auto w = m_where.find(act);
  return w == m_where.end() ? nullptr : &w->second->second;
}

ActHandle ActChain::Next(ActHandle act) const {
  auto w = m_where.find(act);
  if (w == m_where.end()) return kNoAct;
  auto next = std::next(w->second);
  return next == m_order.end() ? kNoAct : next->second.act;
}

}  // namespace ploven
