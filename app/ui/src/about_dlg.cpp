#include "about_dlg.h"

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "varim/product_version.h"

namespace varim::ui {
namespace {

constexpr char kContactEmail[] = "radio-support@varim.example";
constexpr char kCatalogNumber[] = "KLV-210-LNX";

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("CAboutDlg");
  setWindowTitle("About Radio Control");
  auto* list = new QTreeWidget(this);
  list->setObjectName("AboutList");
  list->setRootIsDecorated(false);
  list->setHeaderLabels({"Key", "Value   "});
  list->setColumnWidth(0, 100);
  list->setColumnWidth(1, 250);
  const std::pair<const char*, const char*> rows[] = {
      {"Product Name    ", varim::kProductName},
      {"Product Version ", varim::kProductVersion},
      {"Contact Email   ", kContactEmail},
      {"Catalog No      ", kCatalogNumber},
  };
  for (const auto& [key, value] : rows) list->addTopLevelItem(new QTreeWidgetItem({key, value}));
  list->setMinimumWidth(370);
  auto* ok = new QPushButton(QIcon(":/icons/ok.svg"), "OK", this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("CSplashDlg");
  setStyleSheet("background-color: white; color: rgb(32, 32, 128);");
  auto* picture = new QLabel(this);
  picture->setPixmap(QIcon(":/icons/splash.svg").pixmap(QSize(320, 160)));
  auto* first = new QLabel(FirstLine(), this);
  auto* second = new QLabel(SecondLine(), this);
  first->setObjectName("FirstLine");
  second->setObjectName("SecondLine");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  layout->addWidget(first, 0, Qt::AlignHCenter);
  layout->addWidget(second, 0, Qt::AlignHCenter);
}

QString CSplashDlg::FirstLine() {
  return varim::kFileDescription;
}

QString CSplashDlg::SecondLine() {
  return QString("Ver.") + varim::kProductVersion + "  " + varim::kComments;
}

}  // namespace varim::ui
