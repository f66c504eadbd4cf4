#pragma once

class QComboBox;

// The two plane axis direction combos of the projection editors: items "Север", "Восток",
// "Юг", "Запад", the item index being the AxisDirection code minus one.
namespace AxisCombos {

// Shows the stored form: sign1 of the east-west axis (+1 east), sign2 of the north-south axis
// (+1 north), swap when the north-south axis comes first.
void set(QComboBox* first, QComboBox* second, int sign1, int sign2, bool swap);
// The stored form of the chosen directions; false when both lie on one axis.
bool read(const QComboBox* first, const QComboBox* second, int& sign1, int& sign2, bool& swap);

} // namespace AxisCombos
