#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;

namespace ploven {

// The mask has one bit per label, so at most this many labels can be excluded.
inline constexpr size_t kMaxFilterLabels = 32;

// The label names shown while the program has no label table of its own: label 0 is an item
// without a label, then "Label 1" and on up to `count` names.
std::vector<std::string> DefaultLabelNames(size_t count = 10);

// "Filters: Labels": one check box per label, checked for the labels whose items are shown.
// Bits of labels the dialog does not list are kept as they were.
class LabelsDialog : public QDialog {
  Q_OBJECT

 public:
  LabelsDialog(const std::vector<std::string>& names, uint32_t excludedLabels,
               QWidget* owner = nullptr);

  // The mask the check boxes stand for: bit n set for label n unchecked.
  uint32_t excludedLabels() const;
  const std::vector<QCheckBox*>& boxes() const { return m_boxes; }

 private:
  void CheckAll(bool checked);

  uint32_t m_unlisted = 0;  // excluded bits of labels beyond the list
  std::vector<QCheckBox*> m_boxes;
};

// Shows the dialog; on OK `excludedLabels` takes the new mask and the result is true.
bool RunLabelsDialog(QWidget* owner, const std::vector<std::string>& names,
                     uint32_t& excludedLabels);

}  // namespace ploven
