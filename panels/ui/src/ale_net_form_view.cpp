#include "ale_net_form_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "radio_choice.h"
#include "spin_box_name.h"

namespace varim::ui {

namespace {

using Form = varim::panels::AleNetForm;

constexpr int kAddressLength = 15;
constexpr Form::List kLists[] = {Form::List::kScanRate, Form::List::kTuneTime,
                                 Form::List::kSounding, Form::List::kOccupancy,
                                 Form::List::kPttTimeout, Form::List::kMaxChannel};
constexpr const char* kAcceptLinkTexts[] = {"Accept Link TOT no", "Accept Link TOT Yes",
                                            "Accept Link TOT 2"};

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

void ShowTexts(QListWidget* list, const std::vector<std::string>& texts) {
  list->clear();
  list->addItems(Texts(texts));
}

}  // namespace

QLineEdit* CAleNetFormView::AddressEdit(const char* label, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(kAddressLength);
  edit->setAccessibleName(label);
  return edit;
}

CAleNetFormView::CAleNetFormView(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("AleNetForm");
  net_ = new QSpinBox(this);
  net_->setRange(1, kNets);
  NameSpinBox(net_, "Net No.");
  netName_ = AddressEdit("Net Name", this);
  selfAddress_ = AddressEdit("Self Address", this);
  globalName_ = AddressEdit("Global Members Name", this);
  minLqa_ = new QSpinBox(this);
  minLqa_->setRange(0, 255);
  NameSpinBox(minLqa_, "Min. LQA");

  auto* fields = new QFormLayout;
  fields->addRow("Net No.", net_);
  fields->addRow("Net Name", netName_);
  fields->addRow("Self Address", selfAddress_);
  fields->addRow("Global Members Name", globalName_);
  for (const Form::List list : kLists) {
    auto* box = new QComboBox(this);
    box->addItems(Texts(Form::Entries(list)));
    box->setAccessibleName(Form::LabelOf(list));
    lists_[list] = box;
    fields->addRow(Form::LabelOf(list), box);
    connect(box, &QComboBox::activated, this, [this, list](int row) {
      form_.Choose(list, row);
      Mirror();
    });
  }
  fields->addRow("Min. LQA", minLqa_);


  auto* options = new QGroupBox("Options", this);
  auto* grid = new QGridLayout(options);
  int place = 0;
  for (const Form::CheckInfo& info : Form::Checks()) {
    auto* box = new QCheckBox(info.label, options);
    box->setAccessibleName(info.label);
    checks_[info.check] = box;
    grid->addWidget(box, place / 3, place % 3);
    ++place;
    connect(box, &QCheckBox::toggled, this, [this, check = info.check](bool on) {
      form_.SetChecked(check, on);
    });
  }
  master_ = new QRadioButton("Master", options);
  slave_ = new QRadioButton("Slave", options);
  auto* roles = new QHBoxLayout;
  // Two choices in one box: each pair of buttons excludes only its own.
  auto* roleGroup = new QButtonGroup(this);
  for (QRadioButton* button : {master_, slave_}) {
    button->setAccessibleName(button->text());
    roles->addWidget(button);
    roleGroup->addButton(button);
  }
  grid->addLayout(roles, place / 3 + 1, 0, 1, 3);
  OnChosen(master_, this, [this] { form_.SetMasterSlave(0); });
  OnChosen(slave_, this, [this] { form_.SetMasterSlave(1); });
  auto* accept = new QHBoxLayout;
  auto* acceptGroup = new QButtonGroup(this);
  for (int choice = 0; choice < 3; ++choice) {
    auto* button = new QRadioButton(kAcceptLinkTexts[choice], options);
    button->setAccessibleName(kAcceptLinkTexts[choice]);
    acceptGroup->addButton(button);
    acceptLink_[static_cast<std::size_t>(choice)] = button;
    accept->addWidget(button);
    OnChosen(button, this, [this, choice] { form_.SetAcceptLinkTimeout(choice); });
  }
  grid->addLayout(accept, place / 3 + 2, 0, 1, 3);

  members_ = new QListWidget(this);
  members_->setAccessibleName("Members");
  globalMembers_ = new QListWidget(this);
  globalMembers_->setAccessibleName("Global Members");
  auto* lists = new QHBoxLayout;
  for (auto [list, name] : {std::pair{members_, "Members"}, std::pair{globalMembers_, "Global Members"}}) {
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(name, this);
    label->setBuddy(list);
    column->addWidget(label);
    column->addWidget(list);
    lists->addLayout(column);
  }

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  auto* right = new QVBoxLayout;
  right->addWidget(options);
  right->addLayout(lists);
  layout->addLayout(right, 1);

  connect(net_, &QSpinBox::valueChanged, this, [this](int net) {
    form_.ShowNet(net);
    Mirror();
  });
  connect(minLqa_, &QSpinBox::valueChanged, this, [this](int value) { form_.SetMinLqa(value); });
  // A name is checked once it is entered whole, not at every keystroke.
  connect(netName_, &QLineEdit::editingFinished, this, [this] {
    if (netName_->text().toStdString() != form_.NetName())
      form_.SetNetName(netName_->text().toStdString());
    Mirror();
  });
  connect(selfAddress_, &QLineEdit::editingFinished, this, [this] {
    if (selfAddress_->text().toStdString() != form_.SelfAddress())
      form_.SetSelfAddress(selfAddress_->text().toStdString());
    Mirror();
  });
  connect(globalName_, &QLineEdit::editingFinished, this, [this] {
    if (globalName_->text().toStdString() != form_.GlobalMembersName())
      form_.SetGlobalMembersName(globalName_->text().toStdString());
  });
  Mirror();
}

void CAleNetFormView::Mirror() {
  const QSignalBlocker blockNet(net_);
  net_->setValue(form_.Net());
  for (auto [edit, text] : {std::pair{netName_, form_.NetName()},
                            std::pair{selfAddress_, form_.SelfAddress()},
                            std::pair{globalName_, form_.GlobalMembersName()}}) {
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdString(text));
  }
  for (auto& [list, box] : lists_) {
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(form_.Row(list));
  }
  for (auto& [check, box] : checks_) {
    const QSignalBlocker blocker(box);
    box->setChecked(form_.Checked(check));
  }
  {
    const QSignalBlocker one(master_);
    const QSignalBlocker two(slave_);
    master_->setChecked(form_.MasterSlave() == 0);
    slave_->setChecked(form_.MasterSlave() != 0);
  }
  for (int choice = 0; choice < 3; ++choice) {
    QRadioButton* button = acceptLink_[static_cast<std::size_t>(choice)];
    const QSignalBlocker blocker(button);
    button->setChecked(form_.AcceptLinkTimeout() == choice);
  }
  {
    const QSignalBlocker blocker(minLqa_);
    minLqa_->setValue(form_.MinLqa());
  }
  ShowTexts(members_, form_.Members());
  ShowTexts(globalMembers_, form_.GlobalMembers());
}

}  // namespace varim::ui
