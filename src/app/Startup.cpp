#include "app/Startup.h"

#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmHelpForm.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/TfrmSplash.h"
#include "checkers/TfrmCarta.h"
#include "checkers/TfrmCodFisc.h"
#include "checkers/TfrmIban.h"
#include "checkers/TfrmIva.h"
#include "clients/TfrmAllegatiCli.h"
#include "clients/TfrmAllegatiMat.h"
#include "clients/TfrmCartellaCli.h"
#include "clients/TfrmCartellaMat.h"
#include "clients/TfrmCercaCliente.h"
#include "clients/TfrmCercaFigli.h"
#include "clients/TfrmClienti.h"
#include "clients/TfrmPrint_Contatto.h"
#include "clients/TfrmPrint_Prodotto.h"
#include "export/TfrmEsportaCli.h"
#include "export/TfrmEsportaMat.h"
#include "export/TfrmEsportaRic.h"
#include "platform/QtPlatform.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevute.h"
#include "receipts/TfrmStampa.h"
#include "reports/TfrmCercaRic.h"
#include "reports/TfrmCercaSospesiRic.h"
#include "reports/TfrmRiepAnnualeRic.h"
#include "reports/TfrmRiepMensileRic.h"
#include "reports/TfrmRiepTrimestraleRic.h"
#include "warehouse/TfrmCercaMateriale.h"
#include "warehouse/TfrmCercaSottoscorta.h"
#include "warehouse/TfrmImpMateriali.h"
#include "warehouse/TfrmListino.h"
#include "warehouse/TfrmMateriali.h"

#include <QApplication>
#include <QLocale>

namespace {

template <class... Screen>
void createInOrder()
{
    (Screens::add(new Screen), ...);
}

} // namespace

void CreateScreens()
{
    if (!Screens::all().empty())
        return;
    Q_INIT_RESOURCE(pictures);
    QApplication::setApplicationName(QStringLiteral("Ventoria 2.0"));
    // The login and the launcher end the program themselves; hiding windows never does.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installQtPlatformIfNone();
    // The screens go with the application object, before it tears down.
    qAddPostRoutine(Screens::destroyAll);

    createInOrder<TfrmPassword, TfrmAvvio, TfrmAllegatiCli, TfrmAllegatiMat, TfrmCambiaPassword, TfrmCarta,
                  TfrmCartellaCli, TfrmCartellaMat, TfrmCercaCliente, TfrmCercaFigli, TfrmCercaMateriale,
                  TfrmCercaRic, TfrmCercaSospesiRic, TfrmCercaSottoscorta, TfrmClienti, TfrmCodFisc,
                  TfrmEsportaCli, TfrmEsportaMat, TfrmEsportaRic, TfrmHelpForm, TfrmIban, TfrmImpMateriali,
                  TfrmInfo, TfrmLogo, TfrmMateriali, TfrmNumerazione, TfrmIva, TfrmPrint_Contatto,
                  TfrmPrint_Prodotto, TfrmRicevute, TfrmRiepAnnualeRic, TfrmRiepMensileRic,
                  TfrmRiepTrimestraleRic, TfrmSplash, TfrmStampa, TfrmListino>();
}

QWidget* MainScreen()
{
    return Screens::get<TfrmPassword>();
}
