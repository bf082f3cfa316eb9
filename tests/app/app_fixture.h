#pragma once

#include "app/main_window.h"
#include "app/message_dialog.h"
#include "editing/startup.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/settings.h"
#include "network/tree_position.h"
#include "store/folders.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zephan::testing {

inline void anwendung() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "zephan-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// A main window started as the program starts, with its own data and per-user folders (no
// settings file), dialogs answered from a script and reports caught instead of shown.
class Fenster : public ::testing::Test {
protected:
    void SetUp() override {
        anwendung();
        EditSession::setVormerkPruefung(true);
        ASSERT_TRUE(daten.isValid());
        ASSERT_TRUE(benutzer.isValid());
        setzeDatenOrdner(daten.path());
        setzeAnwendungsdatenOrdner(benutzer.path());
        gespeichert = einstellungen();
        const StartErgebnis s = programmStart();
        ASSERT_TRUE(s.ok) << s.fehler.toStdString();
        setzeAntwortgeber([this](const QString& text, const QString& knoepfe) {
            fragen << text;
            fragenKnoepfe << knoepfe;
            return antworten.isEmpty() ? 0 : antworten.takeFirst();
        });
        neuesFenster();
    }
    // The window's seam with the report window and the file dialogs answered by the test.
    class TestSeam : public FensterSeam {
    public:
        explicit TestSeam(Fenster& t) : t_(t) {}
        void berichtZeigen(TDruck& d) override {
            ++t_.berichte;
            t_.bericht = d.m;
            // What a person would see: no progress window covers the report.
            t_.fortschrittBeimBericht = fortschrittOffen();
        }
        QString dateiOeffnen(const QString&) override { return t_.oeffnen; }
        QString dateiSichern(const QString&, const QString&) override { return t_.sichernUnter; }

    private:
        Fenster& t_;
    };

    // A main window as the program creates it, shown and active so its keys work.
    void neuesFenster() {
        fenster = std::make_unique<Tk_DVform>(nullptr, std::make_unique<TestSeam>(*this));
        fenster->show();
        QApplication::setActiveWindow(fenster.get());
    }
    void TearDown() override {
        if (fenster) fenster->session().projekt().setGeaendert(false);
        fenster.reset();
        setzeAntwortgeber({});
        einstellungen() = gespeichert;
        setzeDatenOrdner(QString());
        setzeAnwendungsdatenOrdner(QString());
    }

    EditSession& s() { return fenster->session(); }
    tmylistitem* at(const char* pos) {
        return knotenAnPosition(s().baum(), QString::fromLatin1(pos));
    }
    template <class T> T* feld(const char* name) {
        T* w = fenster->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Every node as "position|caption|type|i0..i6|p0..p2".
    QStringList baumText() {
        QStringList r;
        for (tmylistitem* n = s().baum().topitem(); n; n = n->getNext()) {
            const DVdata& d = *nodeDaten(n);
            QString z = n->position() + QLatin1Char('|') + n->caption() + QLatin1Char('|') +
                        QString::number(d.typ);
            for (double x : d.i) z += QLatin1Char('|') + QString::number(x);
            for (const QString& p : d.p) z += QLatin1Char('|') + p;
            r << z;
        }
        return r;
    }

    QTemporaryDir daten, benutzer;
    Einstellungen gespeichert;
    std::unique_ptr<Tk_DVform> fenster;
    QStringList fragen, fragenKnoepfe;
    QList<int> antworten;
    int berichte = 0;
    bool fortschrittBeimBericht = false;
    QStringList bericht;
    QString sichernUnter, oeffnen;
};

} // namespace zephan::testing
