#include "report/informe.h"

#include <QFile>
#include <QTextStream>

namespace tarvo {

bool CargaReport(Contexto &ctx, bd::BaseDatos &trabajo, const QString &fichero,
                 const std::function<void(int, int)> &) {
    QFile f(fichero);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream s(&f);
    EscritorInforme e(s);
    InformeEnCurso r{ctx, trabajo, e};
    e.NuevaPagina();
    ReportGraficoCOMU(r);
    return true;
}

}  // namespace tarvo
