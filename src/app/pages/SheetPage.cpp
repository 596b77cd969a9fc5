#include "app/pages/SheetPage.h"

SheetPage::SheetPage(zav::CZAVDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {}
