#include "axiscombos.h"

#include "database/codetablesaxes.h"

#include <QComboBox>

namespace AxisCombos {

void set(QComboBox* first, QComboBox* second, int sign1, int sign2, bool swap)
{
    int axis1 = 0;
    int axis2 = 0;
    axisCodesFromFlags(sign1 > 0 ? 1 : 0, sign2 > 0 ? 1 : 0, swap, axis1, axis2);
    first->setCurrentIndex(axis1 - 1);
    second->setCurrentIndex(axis2 - 1);
}

bool read(const QComboBox* first, const QComboBox* second, int& sign1, int& sign2, bool& swap)
{
    int axis1 = 0;
    int axis2 = 0;
    setAxisDirection(axis1, first->currentIndex() + 1);
    setAxisDirection(axis2, second->currentIndex() + 1);
    return axesSignsAndSwap(axis1, axis2, sign1, sign2, swap);
}

} // namespace AxisCombos
