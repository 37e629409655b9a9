#include "app/execution_sans_fenetre.h"

#include <QTextStream>

int execute_sans_fenetre(TProgramme& programme, const TOptions& options) {
    (void)programme;
    (void)options;
    QTextStream(stderr) << "probelog : l'acquisition sans fenêtre n'est pas encore disponible\n";
    return 1;
}
