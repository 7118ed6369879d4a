#include "rss_editors_feature.h"

#include <algorithm>

#include <QBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "channel_configuration_dlg.h"
#include "channel_selection_dlg.h"
#include "radio_options_view.h"
#include "radio_wide_info_dlg.h"
#include "varim/panels/radio_wide_info.h"
#include "twips.h"
#include "varim/panels/channel_table.h"

namespace varim::ui {

namespace {

using varim::panels::ChannelSelection;

const QColor kTableBackground(100, 200, 255);
const QColor kProgrammedNumber(0, 0, 255);
// The columns' widths, in twips; the last one only on a CCIR radio.
constexpr int kColumnTwips[] = {450, 850, 850, 900, 700, 700, 700, 750, 900};

}  // namespace

CRssEditorsFeature::CRssEditorsFeature(varim::core::ConnectionController& controller,
                                       varim::core::Operator& op, Views views,
                                       std::function<void()> help, QWidget* window)
    : QObject(window), controller_(controller), views_(views), help_(std::move(help)),
      window_(window) {
  views_.channels->setEditTriggers(QAbstractItemView::NoEditTriggers);
  views_.groups->setEditTriggers(QAbstractItemView::NoEditTriggers);
  views_.groups->horizontalHeader()->setStretchLastSection(true);
  views_.groups->verticalHeader()->hide();
  views_.channels->setWordWrap(false);
  QPalette palette = views_.channels->palette();
  palette.setColor(QPalette::Base, kTableBackground);
  views_.channels->setPalette(palette);
  // A double click or Enter on a channel opens it in Channel Configuration.
  connect(views_.channels, &QTableWidget::cellActivated, this, [this](int row, int) {
    OpenChannelAt(row + 1);
  });

  scannedChannels_ = new QPushButton("Scanned Channels...", views_.aleEditor);
  scannedChannels_->setAccessibleName("Scanned Channels");
  if (views_.aleEditor->layout() == nullptr) new QVBoxLayout(views_.aleEditor);
  views_.aleEditor->layout()->addWidget(scannedChannels_);
  connect(scannedChannels_, &QPushButton::clicked, this, [this] { OpenScannedChannels(); });

  optionsPage_ = std::make_unique<varim::panels::RadioOptionsPage>(
      controller_.Session().Databases(), controller_.Session().Flags(), op);
  optionsPage_->SetConfigurationChanged([this] { Edited(varim::core::PrintedFile::kRss); });
  optionsPage_->SetEdited([this] {
    if (edited_) edited_(varim::core::PrintedFile::kRss);
  });
  if (views_.optionsEditor->layout() == nullptr) new QVBoxLayout(views_.optionsEditor);
  views_.optionsEditor->layout()->addWidget(new CRadioOptionsView(*optionsPage_,
                                                                  views_.optionsEditor));
  controller_.State().Observe([this, isb = false](const varim::core::RadioStatus& s) mutable {
    if (s.isbPresent == isb) return;
    isb = s.isbPresent;
    optionsPage_->SetIsbPresent(isb);
  });

  Install(varim::core::CommandId::kChannels, [this] { OpenChannels(); });
  Install(varim::core::CommandId::kGroups, [this] { OpenGroups(); });
  for (const varim::core::CommandId info :
       {varim::core::CommandId::kRssRadioWide, varim::core::CommandId::kAleRadioWide}) {
    Install(info, [this] {
      CRadioWideInfoDlg(varim::panels::RadioWideInfoOf(controller_.Session().Databases().radio),
                        window_)
          .exec();
    });
  }
  controller_.OnRead([this] { Reload(); });
  controller_.OnBeforeWrite([this] { StoreIntoRecords(); });
  Reload();
}

void CRssEditorsFeature::Install(varim::core::CommandId id, std::function<void()> open) {
  controller_.Commands().Install(
      id, {[this] { return !controller_.Busy(); }, {}, std::move(open)});
}

void CRssEditorsFeature::Reload() {
  optionsPage_->Load();
  Refresh();
}

void CRssEditorsFeature::Refresh() {
  const varim::db::RadioDatabases& db = controller_.Session().Databases();
  QTableWidget& table = *views_.channels;
  const int columns = table.columnCount();
  for (int number = 1; number <= kMaxChannel && number <= table.rowCount(); ++number) {
    const varim::panels::ChannelTableRow row = varim::panels::ChannelTableRowOf(db, number);
    for (int column = 0; column < columns; ++column) {
      QTableWidgetItem* cell = table.item(number - 1, column);
      if (cell == nullptr) {
        cell = new QTableWidgetItem;
        table.setItem(number - 1, column, cell);
      }
      cell->setText(QString::fromStdString(row.cells[static_cast<std::size_t>(column)]));
      if (column == 0) cell->setForeground(row.programmed ? kProgrammedNumber : QColor(Qt::black));
    }
  }
  // The widths the radio's grids have always had, wider where a screen's font needs it.
  for (int column = 0; column < columns && column < static_cast<int>(std::size(kColumnTwips));
       ++column) {
    table.resizeColumnToContents(column);
    table.setColumnWidth(column, std::max(table.columnWidth(column),
                                          TwipsToPixels(kColumnTwips[column], table)));
  }
  for (int group = 0; group < views_.groups->rowCount(); ++group) {
    auto* cell = new QTableWidgetItem(
        QString::fromStdString(varim::panels::GroupSummary(db.radio.groups[group], group)));
    views_.groups->setItem(group, 0, cell);
  }
}

void CRssEditorsFeature::OpenChannels() {
  OpenChannelAt(1);
}

void CRssEditorsFeature::OpenChannelAt(int number) {
  const varim::core::CommandContext context = controller_.Context();
  varim::panels::ChannelConfiguration editor(controller_.Session().Databases(),
                                             context.ccirPresent,
                                             controller_.State().Now().isbPresent);
  editor.Show(number);
  CChannelConfigurationDlg dialog(editor, help_, window_);
  if (dialog.exec() == QDialog::Accepted) Edited(varim::core::PrintedFile::kRss);
}

void CRssEditorsFeature::OpenGroups() {
  const varim::core::CommandContext context = controller_.Context();
  ChannelSelection selection(controller_.Session().Databases(), ChannelSelection::Kind::kGroups,
                             context.ccirPresent && context.aleOnOffState == 2);
  CChannelSelectionDlg dialog(selection, help_, window_);
  if (dialog.exec() == QDialog::Accepted) Edited(varim::core::PrintedFile::kRss);
}

void CRssEditorsFeature::OpenScannedChannels() {
  const varim::core::CommandContext context = controller_.Context();
  ChannelSelection selection(controller_.Session().Databases(), ChannelSelection::Kind::kNets,
                             context.ccirPresent && context.aleOnOffState == 2);
  CChannelSelectionDlg dialog(selection, help_, window_);
  if (dialog.exec() == QDialog::Accepted) Edited(varim::core::PrintedFile::kAle);
}

void CRssEditorsFeature::Edited(varim::core::PrintedFile file) {
  controller_.RunConfigurationChecks();
  Refresh();
  if (edited_) edited_(file);
}

}  // namespace varim::ui
