#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <cstring>

#include "database_files.h"
#include "qt_event_pump.h"
#include "varim/core/print_document.h"
#include "varim/sim/sample_programming.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::testing::RecordingOperator;

class NoView : public varim::core::ControllerView {
 public:
  void EnablePanels(bool) override {}
  void BusyChanged(bool) override {}
  void StateChanged() override {}
  void ShowPleaseWait(bool) override {}
  void ShowOperationDone(int) override {}
  void ProgressStarted(varim::core::TransferMode) override {}
  void ProgressChanged(const varim::core::ProgressView&) override {}
  void ProgressFinished() override {}
};

class NoChooser : public varim::ui::FileChooser {
 public:
  QString ChooseOpen(QWidget*, const QString&, const QString&) override { return {}; }
  QString ChooseSave(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
};

// What a command-line tool prints, or nothing when it cannot run.
QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(Printing, APrintedFileKeepsEightyCharactersALineAndSixtyLinesAPage) {
  varim::ui::QtEventPump pump;
  RecordingOperator op;
  NoView view;
  QTemporaryDir folder;
  varim::core::ConnectionController controller(
      op, pump, view, [](std::function<void()>) {}, folder.path().toStdString());
  auto sample = varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder());
  ASSERT_TRUE(sample);
  controller.Session().Databases() = *sample;
  controller.Session().Flags().global_ale_present = 1;
  NoChooser chooser;
  varim::ui::DatabaseFiles files(controller, op, chooser);
  // A comment far longer than a printed line.
  const std::string comment(170, 'C');
  std::memcpy(files.Information(varim::core::PrintedFile::kAle).comment, comment.data(),
              comment.size());

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = folder.filePath("ale.pdf");
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(files.Print(varim::core::PrintedFile::kAle, printer));
  EXPECT_EQ(printer.docName(), "MyPrintJob");

  const std::string text = varim::core::PrintText(
      varim::core::PrintedFile::kAle, controller.Session().Databases(),
      controller.Session().Flags(), files.Information(varim::core::PrintedFile::kAle));
  const auto pages = varim::core::PrintPages(text);
  ASSERT_GT(pages.size(), 1u);

  const QString info = RunTool("pdfinfo", {pdf});
  ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) is needed";
  EXPECT_TRUE(info.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(pages.size()))))
      << info.toStdString();

  // Page by page, the printed lines are the pieces of the file's lines.
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const QString page = QString::number(p + 1);
    QStringList printed = RunTool("pdftotext", {"-f", page, "-l", page, "-raw", pdf, "-"})
                              .split('\n', Qt::SkipEmptyParts);
    printed.removeAll("\f");
    QStringList expected;
    // The text tool drops the blanks that end a line.
    for (const std::string& line : pages[p]) expected << QString::fromStdString(line).trimmed();
    for (QString& line : printed) line = line.trimmed();
    printed.removeAll("");
    expected.removeAll("");
    EXPECT_EQ(printed.join('\n').toStdString(), expected.join('\n').toStdString())
        << "page " << p + 1;
  }
  EXPECT_TRUE(text.find("Global Member No. ") != std::string::npos);
}

// The real program in a real X server: the window it draws once connected is no blank.
TEST(Screenshot, TheWindowUnderAnXServerIsDrawn) {
  QTemporaryDir folder;
  const QString picture = folder.filePath("klv.png");
  QProcess klv;
  klv.setWorkingDirectory(folder.path());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("KLV_BACKUP_DIR", folder.filePath("backups"));
  klv.setProcessEnvironment(environment);
  klv.start("xvfb-run", {"-a", "-s", "-screen 0 1280x1024x24", KLV_PROGRAM, "--simulate",
                         "varim-ccir", "--screenshot", picture});
  ASSERT_TRUE(klv.waitForFinished(90000)) << "xvfb-run (package xvfb) is needed";
  ASSERT_EQ(klv.exitCode(), 0) << klv.readAllStandardError().toStdString();
  const QImage image(picture);
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 640);
  EXPECT_GE(image.height(), 400);
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 4) {
    for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 20) << "a window with toolbars, lists and text has many colours";
  EXPECT_TRUE(QFile::exists(folder.filePath("CommPort.txt"))) << "written at exit";
  EXPECT_EQ(QDir(folder.filePath("backups")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1)
      << "the start-up read, backed up where KLV_BACKUP_DIR says";
}

}  // namespace
