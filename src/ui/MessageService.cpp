#include "MessageService.h"

#include "archive/Text.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

class QtMessages : public MessageService {
public:
    bool show(QWidget* parent, Kind kind, const QString& text) override {
        QMessageBox box(parent);
        box.setWindowTitle(QStringLiteral(" Versalio"));
        box.setText(text::forDisplay(text));
        switch (kind) {
        case Warning: box.setIcon(QMessageBox::Warning); break;
        case Error: box.setIcon(QMessageBox::Critical); break;
        case Information: box.setIcon(QMessageBox::Information); break;
        case Question: box.setIcon(QMessageBox::Question); break;
        case Plain: box.setIcon(QMessageBox::NoIcon); break;
        }
        if (kind == Question) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("S\u00ec"));
        } else if (kind == Plain) {
            box.setStandardButtons(QMessageBox::Ok);
        } else {
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
        }
        return box.exec() != QMessageBox::No;
    }
};

QtMessages g_qt;
MessageService* g_current = nullptr;

} // namespace

MessageService& MessageService::instance() { return g_current ? *g_current : g_qt; }
void MessageService::install(MessageService* service) { g_current = service; }
