#include "GiornaleLotto.h"

#include "FileSync.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <utility>

namespace {

constexpr qint64 kMassimo = 64 * 1024; // a journal is a few lines; anything larger is no journal
const QByteArray kFirma = "Versalio: ";

QList<AvvisoLotto> g_avvisi;
QSet<QString> g_detti;
std::function<void()> g_arrivo;
std::function<void(const char*)> g_momento;

QString nomeFile(const QString& path) { return QFileInfo(path).fileName(); }

// The last whole record before the batch, as a fingerprint; nothing when there is none.
bool impronta(QFile& archivio, qint64 recordSize, qint64 dimensione, QByteArray* out) {
    const qint64 n = dimensione / recordSize;
    out->clear();
    if (n == 0) return true;
    if (!archivio.seek((n - 1) * recordSize)) return false;
    const QByteArray r = archivio.read(recordSize);
    if (r.size() != recordSize) return false;
    *out = QCryptographicHash::hash(r, QCryptographicHash::Sha256).toHex();
    return true;
}

} // namespace

QString AvvisoLotto::testo() const {
    const QString quanti = record == 1 ? QString::fromUtf8(lotto->uno)
                                       : QStringLiteral("%1 %2").arg(record).arg(QString::fromUtf8(lotto->molti));
    const QString nome = QString::fromUtf8(lotto->nome);
    switch (esito) {
    case Annullato:
        return QStringLiteral("L'ultima %1 di %2 non era terminata ed \u00e8 stata annullata: l'archivio \u00e8 tornato "
                              "com'era prima.")
            .arg(nome, quanti);
    case Escluso:
        return QStringLiteral("L'ultima %1 di %2 non \u00e8 terminata: l'archivio \u00e8 stato letto com'era prima, e vi "
                              "torner\u00e0 al primo comando che lo modifica.")
            .arg(nome, quanti);
    case Lasciato: break;
    }
    return QStringLiteral("Attenzione: accanto all'archivio %1 si trova il file %2, che il programma scrive durante %3 e "
                          "toglie al termine, ma %4. L'archivio non \u00e8 stato modificato.\n\r\n\rSe l'archivio \u00e8 "
                          "in ordine, il file %2 pu\u00f2 essere eliminato.")
        .arg(nomeFile(archivio), nomeFile(giornale), QString::fromUtf8(lotto->genere), motivo);
}

GiornaleLasciato::GiornaleLasciato(const AvvisoLotto& a)
    : ArchiveError(QStringLiteral("%1: the journal of an unfinished batch, %2, does not fit the archive; it is left "
                                  "alone")
                       .arg(a.archivio, nomeFile(a.giornale))),
      avviso(a) {}

GiornaleLotto::GiornaleLotto(const QString& archivio, const Lotto& lotto)
    : m_archivio(archivio), m_percorso(archivio + QLatin1Char('.') + QLatin1String(lotto.suffisso)), m_lotto(&lotto) {
    const QFileInfo info(m_percorso);
    m_provvisorio = info.dir().filePath(QLatin1Char('.') + info.fileName());
}

bool GiornaleLotto::esiste() const { return QFileInfo::exists(m_percorso); }

AvvisoLotto GiornaleLotto::avviso(AvvisoLotto::Esito esito, qint64 record, qint64 dimensione, const QString& motivo) const {
    AvvisoLotto a;
    a.esito = esito;
    a.lotto = m_lotto;
    a.archivio = m_archivio;
    a.giornale = m_percorso;
    a.record = record;
    a.dimensione = dimensione;
    a.motivo = motivo;
    return a;
}

GiornaleLotto::Prima GiornaleLotto::leggi(QFile& archivio, qint64 recordSize) const {
    Prima p;
    const QString nome = QString::fromUtf8(m_lotto->nome);
    QFile f(m_percorso);
    if (!QFileInfo(m_percorso).isFile() || !f.open(QIODevice::ReadOnly)) {
        p.motivo = QStringLiteral("il file non si pu\u00f2 leggere");
        return p;
    }
    const QByteArray testo = f.read(kMassimo + 1);
    if (f.error() != QFileDevice::NoError) {
        p.motivo = QStringLiteral("il file non si pu\u00f2 leggere");
        return p;
    }
    const QString estraneo = QStringLiteral("il suo contenuto non \u00e8 quello che il programma vi scrive");
    if (testo.size() > kMassimo || !testo.startsWith(kFirma)) {
        p.motivo = estraneo;
        return p;
    }
    QHash<QByteArray, QByteArray> valori;
    for (QByteArray riga : testo.split('\n')) {
        if (riga.endsWith('\r')) riga.chop(1);
        const qsizetype uguale = riga.indexOf('=');
        if (uguale > 0) valori.insert(riga.left(uguale), riga.mid(uguale + 1));
    }
    bool ok[3] = {};
    const qint64 record = valori.value("record").toLongLong(&ok[0]);
    p.dimensione = valori.value("dimensione").toLongLong(&ok[1]);
    p.aggiunti = valori.value("aggiunti").toLongLong(&ok[2]);
    const auto coda = QByteArray::fromBase64Encoding(valori.value("coda"), QByteArray::AbortOnBase64DecodingErrors);
    p.coda = coda.decoded;
    if (!ok[0] || !ok[1] || !ok[2] || !coda || !valori.contains("coda") || !valori.contains("ultimo") ||
        record != recordSize || p.dimensione < 0 || p.aggiunti < 1 || p.coda.size() != p.dimensione % recordSize) {
        p.motivo = estraneo;
        return p;
    }
    const qint64 dimensione = archivio.size();
    if (dimensione < p.dimensione) {
        p.motivo = QStringLiteral("l'archivio \u00e8 ora pi\u00f9 corto di quanto era prima dell'%1").arg(nome);
        return p;
    }
    if (dimensione > (p.dimensione / recordSize + p.aggiunti) * recordSize) {
        p.motivo = QStringLiteral("l'archivio \u00e8 ora pi\u00f9 lungo di quanto l'%1 avrebbe potuto renderlo").arg(nome);
        return p;
    }
    QByteArray ora;
    if (!impronta(archivio, recordSize, p.dimensione, &ora)) {
        p.motivo = QStringLiteral("l'archivio non si pu\u00f2 leggere");
        return p;
    }
    if (ora != valori.value("ultimo")) {
        p.motivo = QStringLiteral("la parte dell'archivio scritta prima dell'%1 non \u00e8 pi\u00f9 quella di allora").arg(nome);
        return p;
    }
    p.adatto = true;
    return p;
}

void GiornaleLotto::scrivi(QFile& archivio, qint64 recordSize, qint64 dimensione, qint64 aggiunti,
                           const QByteArray& coda) const {
    auto fallito = [&](const QString& why) {
        QFile::remove(m_provvisorio);
        return ArchiveError(QStringLiteral("append to %1: the journal %2 cannot be written: %3")
                                .arg(m_archivio, m_percorso, why));
    };
    QByteArray ultimo;
    if (!impronta(archivio, recordSize, dimensione, &ultimo)) throw fallito(archivio.errorString());
    // Plain words first, for whoever finds the file in the folder.
    const QByteArray testo =
        kFirma + QByteArray(m_lotto->nome) + " in corso su " + nomeFile(m_archivio).toUtf8() + "\r\n" +
        QStringLiteral("Il programma toglie questo file quando l'%1 \u00e8 terminata. Se vi resta, il primo comando che "
                       "apre l'archivio lo riporta com'era prima dell'%1.")
            .arg(QString::fromUtf8(m_lotto->nome))
            .toUtf8() +
        "\r\nrecord=" + QByteArray::number(recordSize) + "\r\ndimensione=" + QByteArray::number(dimensione) +
        "\r\naggiunti=" + QByteArray::number(aggiunti) + "\r\nultimo=" + ultimo + "\r\ncoda=" + coda.toBase64() + "\r\n";
    {
        QFile f(m_provvisorio);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw fallito(f.errorString());
        if (f.write(testo) != testo.size() || !f.flush() || !syncToDisk(f)) {
            const QString why = f.errorString();
            f.close();
            throw fallito(why);
        }
        f.close();
    }
    if (!QFile::rename(m_provvisorio, m_percorso)) throw fallito(QStringLiteral("it cannot be put in place"));
    if (!syncFolder(QFileInfo(m_percorso).absolutePath())) {
        QFile::remove(m_percorso);
        throw fallito(QStringLiteral("its folder cannot be put on the disk"));
    }
}

bool GiornaleLotto::togli() const {
    QFile::remove(m_provvisorio);
    if (QFileInfo::exists(m_percorso) && !QFile::remove(m_percorso)) return false;
    // Should the folder's names not reach the disk, a power cut could bring back the journal of a
    // batch that ended; that batch would then be undone, never left half.
    syncFolder(QFileInfo(m_percorso).absolutePath());
    return true;
}

namespace giornaleLotto {

bool eGiornale(const QString& path) {
    const QString nome = QFileInfo(path).fileName();
    for (const Lotto* l : {&lotti::emissione, &lotti::importazione})
        if (nome.endsWith(QLatin1Char('.') + QLatin1String(l->suffisso), Qt::CaseInsensitive)) return true;
    return false;
}

void segnala(const AvvisoLotto& avviso) {
    if (avviso.esito != AvvisoLotto::Annullato) {
        // One journal, however often it is met; a new one (written later) is told again.
        const QFileInfo giornale(avviso.giornale);
        const QString chiave = QStringLiteral("%1|%2|%3|%4|%5")
                                   .arg(int(avviso.esito))
                                   .arg(giornale.absoluteFilePath())
                                   .arg(giornale.lastModified().toMSecsSinceEpoch())
                                   .arg(avviso.dimensione)
                                   .arg(avviso.motivo);
        if (g_detti.contains(chiave)) return;
        g_detti.insert(chiave);
    }
    g_avvisi.append(avviso);
    // A copy: the call may put another in its place.
    if (const std::function<void()> arrivo = g_arrivo) arrivo();
}

QList<AvvisoLotto> avvisi() { return std::exchange(g_avvisi, {}); }

void quandoArriva(std::function<void()> f) { g_arrivo = std::move(f); }

void osserva(std::function<void(const char*)> f) { g_momento = std::move(f); }

void momento(const char* nome) {
    if (g_momento) g_momento(nome);
}

} // namespace giornaleLotto
