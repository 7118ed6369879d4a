#include "scan_group_dlg.h"

#include <QHBoxLayout>

#include "combo_fill.h"

namespace varim::ui {

CScanGroupDlg::CScanGroupDlg(varim::panels::ChannelControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
  setObjectName("ScanGroupDlg");
  label_ = new QLabel(this);
  list_ = new QComboBox(this);
  list_->setObjectName("ScanGroupList");
  label_->setBuddy(list_);
  netNumber_ = new QLabel(this);
  netName_ = new QLabel(this);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addWidget(netNumber_);
  layout->addWidget(netName_);
  connect(list_, &QComboBox::activated, this, [this](int row) { control_.SelectScanEntry(row); });
}

void CScanGroupDlg::Mirror() {
  const varim::panels::ChannelControl::ScanSelector& selector = control_.Selector();
  const QString label = QString::fromStdString(selector.label);
  label_->setText(label);
  list_->setAccessibleName(label);
  QStringList entries;
  for (const std::string& entry : selector.entries) entries << QString::fromStdString(entry);
  FillList(list_, entries, selector.selectedRow);
  list_->setEnabled(selector.enabled);
  netNumber_->setText(QString::fromStdString(selector.netNumber));
  netName_->setText(QString::fromStdString(selector.netName));
  netNumber_->setVisible(selector.netFieldsShown);
  netName_->setVisible(selector.netFieldsShown);
  setVisible(selector.shown);
}

}  // namespace varim::ui
