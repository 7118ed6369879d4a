#include "ale_address_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "spin_box_name.h"

namespace varim::ui {

namespace {

constexpr int kAddressLength = 15;

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

QListWidget* ReferenceList(const std::vector<std::string>& texts, const char* name,
                           QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->addItems(Texts(texts));
  list->setAccessibleName(name);
  return list;
}

}  // namespace

CAleAddressDlg::CAleAddressDlg(varim::panels::AleAddressEditor& editor, std::function<void()> help,
                               QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      members_(dynamic_cast<varim::panels::AleMembersEditor*>(&editor)) {
  const bool global = members_ != nullptr && members_->Global();
  setObjectName(members_ == nullptr ? "AleDirectoryDlg" : global ? "GlobalMembersDlg"
                                                                  : "NetMembersDlg");
  setWindowTitle(members_ == nullptr ? "ALE Directory Configuration"
                 : global            ? "Net Global Members"
                                     : "Net Members");
  address_ = new QComboBox(this);
  address_->setEditable(true);
  address_->lineEdit()->setMaxLength(kAddressLength);
  address_->setAccessibleName("Address");
  add_ = Button("ADD");
  delete_ = Button("DELETE");
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setAccessibleName(members_ == nullptr ? "Directory List" : "Members List");
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  const int maximum = members_ == nullptr ? kDirectoryEntries : global ? kGlobalMembers
                                                                       : kNetMembers;
  auto* maximumLabel = new QLabel(QString("Maximum Available:       %1").arg(maximum), this);
  occupied_ = new QLabel(this);
  occupied_->setAccessibleName("Occupied Addresses:");
  warning_ = new QLabel(this);
  warning_->setObjectName("Warning");
  warning_->setStyleSheet("background-color: yellow;");

  auto* layout = new QVBoxLayout(this);
  auto* entry = new QHBoxLayout;
  entry->addWidget(address_, 1);
  entry->addWidget(add_);
  entry->addWidget(delete_);
  if (members_ != nullptr) {
    net_ = new QSpinBox(this);
    net_->setRange(1, kNets);
    NameSpinBox(net_, "Net No.");
    netName_ = new QLabel(this);
    netName_->setAccessibleName("Net Name");
    selfAddress_ = new QLabel(this);
    selfAddress_->setAccessibleName("Self Address");
    auto* form = new QFormLayout;
    form->addRow("Net No.", net_);
    form->addRow("Net Name", netName_);
    form->addRow("Self Address", selfAddress_);
    layout->addLayout(form);
    hint_ = new QLabel(this);
    manual_ = Button("Manual");
    auto_ = Button("Auto");
    connect(net_, &QSpinBox::valueChanged, this, [this](int net) {
      members_->ShowNet(net);
      Mirror();
    });
    connect(manual_, &QPushButton::clicked, this, [this] {
      members_->StartManualOrder();
      Mirror();
    });
    connect(auto_, &QPushButton::clicked, this, [this] {
      members_->AutoOrder();
      Mirror();
    });
  } else {
    auto* references = new QHBoxLayout;
    auto* directory = static_cast<varim::panels::AleDirectoryEditor*>(&editor);
    for (auto [texts, name] :
         {std::pair{directory->NetNames(), "Net Names"},
          std::pair{directory->SelfAddresses(), "Self Addresses"}}) {
      auto* column = new QVBoxLayout;
      column->addWidget(new QLabel(name, this));
      column->addWidget(ReferenceList(texts, name, this));
      references->addLayout(column);
    }
    layout->addLayout(references);
  }
  layout->addLayout(entry);
  if (hint_ != nullptr) layout->addWidget(hint_);
  layout->addWidget(list_, 1);
  auto* status = new QHBoxLayout;
  status->addWidget(maximumLabel);
  status->addWidget(new QLabel("Occupied Addresses:", this));
  status->addWidget(occupied_);
  layout->addLayout(status);
  if (members_ != nullptr) {
    auto* order = new QHBoxLayout;
    order->addWidget(new QLabel("Members Order:", this));
    order->addWidget(manual_);
    order->addWidget(auto_);
    if (global) {
      priority_ = Button("Set Priority");
      order->addWidget(priority_);
      connect(priority_, &QPushButton::clicked, this, [this] {
        members_->SetPriority();
        Mirror();
      });
    }
    layout->addLayout(order);
  }
  layout->addWidget(warning_);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Help)->setText("HELP");
  for (QAbstractButton* button : buttons->buttons())
    button->setAccessibleName(button->text().remove('&'));
  layout->addWidget(buttons);

  connect(address_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (text.toStdString() == editor_.Box()) return;
    editor_.SetBox(text.toStdString());
    Mirror();
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    editor_.Add();
    Mirror();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    editor_.Delete();
    Mirror();
  });
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    if (members_ != nullptr && members_->ManualOrdering()) return;
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
      rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    // The last one chosen fills the address box.
    if (QListWidgetItem* current = list_->currentItem(); current && current->isSelected()) {
      std::erase(rows, list_->row(current));
      rows.push_back(list_->row(current));
    }
    editor_.Select(rows);
    Mirror();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [help = std::move(help)] {
    if (help) help();
  });
  resize(460, 520);
  Mirror();
}

QPushButton* CAleAddressDlg::Button(const char* text) {
  auto* button = new QPushButton(text, this);
  button->setAccessibleName(text);
  button->setAutoDefault(false);
  return button;
}

bool CAleAddressDlg::eventFilter(QObject* watched, QEvent* event) {
  // While the members are put in order by hand, a click places the member and a right click
  // ends the ordering; from the keyboard Space or Enter places the current one, Escape ends.
  const bool ordering = members_ != nullptr && members_->ManualOrdering();
  if (watched == list_ && ordering && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      members_->EndManualOrder();
    } else if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
      members_->ClickInManualOrder(list_->currentRow());
    } else {
      return QDialog::eventFilter(watched, event);
    }
    Mirror();
    return true;
  }
  if (watched == list_->viewport() && ordering && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      members_->EndManualOrder();
    } else {
      members_->ClickInManualOrder(list_->indexAt(mouse->position().toPoint()).row());
    }
    Mirror();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CAleAddressDlg::Mirror() {
  const QSignalBlocker blockList(list_);
  const QStringList shown = Texts(editor_.List());
  QStringList present;
  for (int row = 0; row < list_->count(); ++row) present << list_->item(row)->text();
  if (present != shown) {
    list_->clear();
    list_->addItems(shown);
  }
  for (int row = 0; row < list_->count(); ++row) {
    const auto& chosen = editor_.Selection();
    list_->item(row)->setSelected(std::find(chosen.begin(), chosen.end(), row) != chosen.end());
  }
  {
    const QSignalBlocker blockBox(address_);
    const QString box = QString::fromStdString(editor_.Box());
    if (address_->currentText() != box) address_->setEditText(box);
  }
  occupied_->setText(QString::number(editor_.Occupied()));
  const varim::panels::AddressVerdict& verdict = editor_.Verdict();
  add_->setEnabled(verdict.addEnabled);
  delete_->setEnabled(verdict.deleteEnabled || !editor_.Selection().empty());
  QString warning = QString::fromStdString(verdict.warning);
  if (members_ != nullptr) {
    const bool manual = members_->ManualOrdering();
    if (manual) warning = QString::fromStdString(members_->ManualOrderText());
    {
      const QSignalBlocker blockNet(net_);
      net_->setValue(members_->Net());
    }
    net_->setEnabled(!manual);
    address_->setEnabled(!manual);
    manual_->setEnabled(members_->OrderEnabled());
    auto_->setEnabled(members_->OrderEnabled());
    const int net = members_->Net() - 1;
    netName_->setText(QString::fromStdString(editor_.Book().NetName(net)));
    selfAddress_->setText(QString::fromStdString(editor_.Book().SelfAddress(net)));
    const QString hint = QString::fromStdString(members_->DirectoryHint());
    hint_->setText(hint);
    hint_->setVisible(!hint.isEmpty());
    // The arrow of the address box offers the directory.
    const QStringList directory = Texts(editor_.Book().Directory());
    QStringList offered;
    for (int i = 0; i < address_->count(); ++i) offered << address_->itemText(i);
    if (offered != directory) {
      const QSignalBlocker blockBox(address_);
      const QString box = address_->currentText();
      address_->clear();
      address_->addItems(directory);
      address_->setEditText(box);
    }
    setCursor(manual ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
  warning_->setText(warning);
  warning_->setVisible(!warning.isEmpty());
}

}  // namespace varim::ui
