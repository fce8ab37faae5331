#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// The desktop shell's "open": every document, web page and e-mail the program hands to the desktop
// goes through here. Tests install a RecordingShell (tests/common/RecordingShell.h).
class Shell {
public:
    virtual ~Shell() = default;
    // Nothing is reported when no program can open the target.
    virtual void open(const QUrl& url) = 0;

    static Shell& instance();
    // Tests put their own shell in place; nullptr restores the desktop's.
    static void install(Shell* shell);

    // What the desktop is handed for one of the program's targets: the double quotes the texts
    // carry are dropped; a web address (with or without its scheme) or a mailto link stays an
    // address, anything else is a local file path.
    static QUrl urlFor(const QString& target);
};

class TMisc {
public:
    // A web address, a mailto link, or a document path between double quotes.
    static void Open(const QString& target) { Shell::instance().open(Shell::urlFor(target)); }
};
