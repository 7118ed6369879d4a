#pragma once

#include <QPrinter>
#include <QString>
#include <array>
#include <initializer_list>

#include "file_chooser.h"
#include "varim/core/connection_controller.h"
#include "varim/core/print_document.h"
#include "varim/db/file_information.h"

namespace varim::ui {

using varim::core::PrintedFile;

// The database files of the three database panels: New, Open, Save, their information and
// printing, with a remembered folder per kind of file.
class DatabaseFiles {
 public:
  DatabaseFiles(varim::core::ConnectionController& controller, varim::core::Operator& op,
                FileChooser& chooser);

  // The file dialog's filter and default extension, and the panel's title.
  static QString Filter(PrintedFile kind);
  static QString Suffix(PrintedFile kind);
  static QString PanelTitle(PrintedFile kind);

  // The commands as the menus run them; false when cancelled or failed.
  void New(PrintedFile kind);
  bool Open(QWidget* parent, PrintedFile kind);
  bool Save(QWidget* parent, PrintedFile kind);
  // The same with the path chosen.
  bool OpenPath(PrintedFile kind, const QString& path);
  bool SavePath(PrintedFile kind, const QString& path);
  // Prints the panel's file on the printer, 60 lines of at most 80 characters a page.
  bool Print(PrintedFile kind, QPrinter& printer);

  // The title the panel shows: its name, and " - " and the file once one is open or saved,
  // and " *" while it has changes that are not saved.
  QString Title(PrintedFile kind) const;

  // Unsaved changes: marked by the editors, gone once the file is saved, opened or made anew.
  void MarkEdited(PrintedFile kind) { edited_[Index(kind)] = true; }
  bool Edited(PrintedFile kind) const { return edited_[Index(kind)]; }
  // Before something replaces the records of these files: true when none has unsaved changes
  // or the operator lets them go (then they count as gone).
  bool MayDiscard(std::initializer_list<PrintedFile> kinds);
  static constexpr const char* kDiscardQuestion =
      "The database has changes that are not saved. Discard them?";
  QString Folder(PrintedFile kind) const { return folders_[Index(kind)]; }
  // The file last opened or saved; empty after New.
  QString Path(PrintedFile kind) const { return paths_[Index(kind)]; }
  varim::db::FileInformation& Information(PrintedFile kind) { return information_[Index(kind)]; }

 private:
  static std::size_t Index(PrintedFile kind) { return static_cast<std::size_t>(kind); }
  void Remember(PrintedFile kind, const QString& path);

  varim::core::ConnectionController& controller_;
  varim::core::Operator& operator_;
  FileChooser& chooser_;
  std::array<QString, 3> folders_;
  std::array<QString, 3> paths_;
  std::array<varim::db::FileInformation, 3> information_{};
  std::array<bool, 3> edited_{};
};

}  // namespace varim::ui
