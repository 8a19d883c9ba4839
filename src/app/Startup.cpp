#include "app/Startup.h"

#include "platform/qt/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmHelpForm.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/TfrmSplash.h"
#include "checkers/ui/TfrmCarta.h"
#include "checkers/ui/TfrmCodFisc.h"
#include "checkers/ui/TfrmIban.h"
#include "checkers/ui/TfrmIva.h"
#include "clients/ui/TfrmAllegatiCli.h"
#include "warehouse/ui/TfrmAllegatiMat.h"
#include "clients/ui/TfrmCartellaCli.h"
#include "warehouse/ui/TfrmCartellaMat.h"
#include "clients/ui/TfrmCercaCliente.h"
#include "clients/ui/TfrmCercaFigli.h"
#include "clients/ui/TfrmClienti.h"
#include "clients/ui/TfrmPrint_Contatto.h"
#include "warehouse/ui/TfrmPrint_Prodotto.h"
#include "export/ui/TfrmEsportaCli.h"
#include "export/ui/TfrmEsportaMat.h"
#include "export/ui/TfrmEsportaRic.h"
#include "platform/AppDir.h"
#include "platform/FileSystem.h"
#include "platform/qt/QtPlatform.h"
#include "storage/DailyBackup.h"
#include "receipts/ui/TfrmLogo.h"
#include "receipts/ui/TfrmNumerazione.h"
#include "receipts/ui/TfrmRicevute.h"
#include "receipts/ui/TfrmStampa.h"
#include "reports/ui/TfrmCercaRic.h"
#include "reports/ui/TfrmCercaSospesiRic.h"
#include "reports/ui/TfrmRiepAnnualeRic.h"
#include "reports/ui/TfrmRiepMensileRic.h"
#include "reports/ui/TfrmRiepTrimestraleRic.h"
#include "warehouse/ui/TfrmCercaMateriale.h"
#include "warehouse/ui/TfrmCercaSottoscorta.h"
#include "warehouse/ui/TfrmImpMateriali.h"
#include "warehouse/ui/TfrmListino.h"
#include "warehouse/ui/TfrmMateriali.h"

#include <QApplication>
#include <QLocale>


namespace {

template <class... Screen>
void defineInOrder()
{
    (Screens::define<Screen>(), ...);
}

} // namespace

void CreateScreens()
{
    if (Screens::defined())
        return;
    // A write beyond a size limit, or to a drive that went away, comes back
    // as a failed write that the screen reports.
    FileSystem::prepareProcess();
    Q_INIT_RESOURCE(pictures);
    QApplication::setApplicationName(QStringLiteral("Ventoria 2.0"));
    // The login and the launcher end the program themselves; hiding windows never does.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installQtPlatformIfNone();
    platform::loadItalianTranslations();
    // The screens go with the application object, before it tears down.
    qAddPostRoutine(Screens::destroyAll);

    defineInOrder<TfrmPassword, TfrmAvvio, TfrmAllegatiCli, TfrmAllegatiMat, TfrmCambiaPassword, TfrmCarta,
                  TfrmCartellaCli, TfrmCartellaMat, TfrmCercaCliente, TfrmCercaFigli, TfrmCercaMateriale,
                  TfrmCercaRic, TfrmCercaSospesiRic, TfrmCercaSottoscorta, TfrmClienti, TfrmCodFisc,
                  TfrmEsportaCli, TfrmEsportaMat, TfrmEsportaRic, TfrmHelpForm, TfrmIban, TfrmImpMateriali,
                  TfrmInfo, TfrmLogo, TfrmMateriali, TfrmNumerazione, TfrmIva, TfrmPrint_Contatto,
                  TfrmPrint_Prodotto, TfrmRicevute, TfrmRiepAnnualeRic, TfrmRiepMensileRic,
                  TfrmRiepTrimestraleRic, TfrmSplash, TfrmStampa, TfrmListino>();
    Screens::setLauncher([] { Screens::get<TfrmAvvio>()->showLauncher(); });
    Screens::setGuide([](const QString& title, const QString& text) {
        Screens::get<TfrmHelpForm>()->showTopic(title, text);
    });
}

QWidget* mainScreen()
{
    return Screens::get<TfrmPassword>();
}

void showLogin()
{
    DailyBackup::Result backup;
    {
        // The first start of a day copies every archive: about a second
        // for a gigabyte of them.
        platform::BusyCursor busy;
        backup = DailyBackup::make(AppDir::path(), platform::current().today());
    }
    if (backup.outcome == DailyBackup::Outcome::Failed)
        platform::current().showMessage(DailyBackup::failureMessage(backup));
    else if (!backup.refused.isEmpty())
        platform::current().showMessage(DailyBackup::refusedMessage(backup.refused));
    mainScreen()->show();
}
