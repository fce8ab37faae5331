#pragma once

#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "app/WindowSet.h"
#include "archive/PasswordStore.h"
#include "ui/ProgramFolder.h"

#include <QLineEdit>
#include <QTest>

// Starts the window set and enters as a user does: the first-access word typed in the password
// window, then Enter. The test's program folder gets the delivered store when it has none.
inline void entra(WindowSet& set) {
    const QString folder = programFolder::path();
    if (passwordStore::leggi(folder).esito != passwordStore::Lettura::Letta)
        QVERIFY(passwordStore::scrivi(folder, passwordStore::normalizza(passwordStore::kPrimoAccesso)));
    set.start();
    QVERIFY(set.password->isVisible());
    QVERIFY(!set.avvio->isVisible());
    QTest::keyClicks(set.password->txtPassword, passwordStore::kPrimoAccesso);
    QTest::keyClick(set.password->txtPassword, Qt::Key_Return);
    QVERIFY(set.avvio->isVisible());
    QVERIFY(!set.password->isVisible());
}
