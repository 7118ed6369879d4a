#include "ale_editors_feature.h"

#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ale_address_dlg.h"
#include "ale_net_form_view.h"
#include "ale_messages_dlg.h"
#include "varim/panels/ale_address_editors.h"
#include "varim/panels/ale_messages.h"

namespace varim::ui {

using varim::core::CommandId;

CAleEditorsFeature::CAleEditorsFeature(varim::core::ConnectionController& controller,
                                       varim::core::Operator& op, QWidget* aleEditor,
                                       std::function<void()> help, QWidget* window)
    : QObject(window), controller_(controller), operator_(op), help_(std::move(help)),
      window_(window) {
  if (aleEditor->layout() == nullptr) new QVBoxLayout(aleEditor);
  form_ = std::make_unique<varim::panels::AleNetForm>(controller.Session().Databases(), op);
  form_->SetEdited([this] {
    controller_.RunConfigurationChecks();
    if (edited_) edited_();
  });
  formView_ = new CAleNetFormView(*form_, aleEditor);
  aleEditor->layout()->addWidget(formView_);
  controller_.OnRead([this] { Reload(); });
  for (auto [text, global] : {std::pair{"Net Members...", false},
                              std::pair{"Global Members...", true}}) {
    auto* button = new QPushButton(text, aleEditor);
    button->setAccessibleName(QString(text).remove("..."));
    aleEditor->layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, global = global] { OpenMembers(global); });
  }
  const std::pair<CommandId, std::function<void()>> commands[] = {
      {CommandId::kDirectory, [this] { OpenDirectory(); }},
      {CommandId::kMessages, [this] { OpenMessages(); }},
      {CommandId::kAutoDial, [this] { OpenAutoDials(); }},
  };
  for (const auto& [id, open] : commands)
    controller_.Commands().Install(id, {[this] { return !controller_.Busy(); }, {}, open});
}

void CAleEditorsFeature::OpenDirectory() {
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  varim::panels::AleDirectoryEditor editor(db, operator_);
  CAleAddressDlg dialog(editor, help_, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  editor.Ok(db);
  Edited();
}

void CAleEditorsFeature::OpenMembers(bool global) {
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  varim::panels::AleMembersEditor editor(db, operator_, global);
  CAleAddressDlg dialog(editor, help_, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  editor.Ok(db);
  Edited();
}

void CAleEditorsFeature::OpenMessages() {
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  varim::panels::AleMessagesEditor editor(db);
  CAleMessagesDlg dialog(editor, help_, window_);
  if (dialog.exec() != QDialog::Accepted || !editor.Valid()) return;
  editor.Ok(db);
  Edited();
}

void CAleEditorsFeature::OpenAutoDials() {
  varim::db::RadioDatabases& db = controller_.Session().Databases();
  varim::panels::AutoDialsEditor editor(db);
  CAutoDialsDlg dialog(editor, help_, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  editor.Ok(db);
  Edited();
}

void CAleEditorsFeature::Reload() {
  formView_->Mirror();
}

void CAleEditorsFeature::Edited() {
  controller_.RunConfigurationChecks();
  formView_->Mirror();
  if (edited_) edited_();
}

}  // namespace varim::ui
