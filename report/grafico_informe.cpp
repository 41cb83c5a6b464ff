#include "report/informe.h"

namespace tarvo {

void ReportGraficoCOMU(InformeEnCurso &r) { r.e.TituloTabla(r.ctx.dic.Texto(1912)); }

}  // namespace tarvo
