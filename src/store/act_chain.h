#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/act_handle.h"

namespace ploven {

// Every live item whose date is not archived, in case-insensitive order of the
// full titles; equal titles keep the order they came in. Inserting, finding
// and removing never walk the chain.
class ActChain {
 public:
  struct Node {
    ActHandle act = kNoAct;
    int32_t date = 0;
  };
  using Map = std::multimap<std::string, Node>;
  using const_iterator = Map::const_iterator;

  // Places the item after every item whose title sorts at or before its own.
  void Insert(ActHandle act, std::string_view fullTitle, int32_t date);
  bool Remove(ActHandle act);
  bool Contains(ActHandle act) const { return m_where.contains(act); }
  const Node* Find(ActHandle act) const;
  // The item after `act` in title order, or none.
  ActHandle Next(ActHandle act) const;

  size_t Count() const { return m_order.size(); }
  void Reserve(size_t n) { m_where.reserve(n); }
  const_iterator begin() const { return m_order.begin(); }
  const_iterator end() const { return m_order.end(); }

  static std::string SortKey(std::string_view title);

 private:
  Map m_order;
  std::unordered_map<ActHandle, Map::iterator> m_where;
};

}  // namespace ploven
