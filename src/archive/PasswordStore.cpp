#include "PasswordStore.h"

#include "Crypt.h"
#include "IniFile.h"
#include "Text.h"

#include <QFileInfo>

namespace passwordStore {

Lettura leggi(const QString& folder) {
    const QFileInfo info(path(folder));
    if (!info.exists()) return {Lettura::Assente, {}};
    if (!info.isFile() || !info.isReadable()) return {Lettura::Illeggibile, {}};
    const QString value = IniFile(info.filePath()).readString(kSection, kKey);
    const std::optional<QString> plain = cifrario::Decripta(value);
    if (!plain) return {Lettura::Illeggibile, {}};
    const QString password = text::trimmed(*plain);
    if (password.isEmpty()) return {Lettura::Assente, {}};
    return {Lettura::Letta, password};
}

QString normalizza(const QString& typed) { return text::trimmed(text::upperAZ(typed)); }

Rifiuto verifica(const QString& password) {
    if (password.isEmpty()) return Rifiuto::Vuota;
    if (password.size() > 255) return Rifiuto::TroppoLunga;
    for (QChar c : password)
        if (c.unicode() > 255) return Rifiuto::CarattereNonAmmesso;
    return Rifiuto::Nessuno;
}

bool scrivi(const QString& folder, const QString& password, QString* error) {
    if (verifica(password) != Rifiuto::Nessuno) {
        if (error) *error = QStringLiteral("the password cannot be enciphered");
        return false;
    }
    return IniFile(path(folder)).writeString(kSection, kKey, cifrario::Cripta(password), error);
}

} // namespace passwordStore
