#pragma once

#include "timeline/OptionTypes.h"

#include <QStringList>
#include <QStringView>

#include <optional>

namespace brisomel {

// The converter's names for the option values, in the order of the model's tables.

QStringView cliName(FrameType frame);
QStringView cliName(AlignType align);
QStringView cliName(FpsType fps); // the rate's raw value

// The value of a kind that a name stands for, if any.
std::optional<FrameType> frameTypeFromCliName(QStringView name);
std::optional<AlignType> alignTypeFromCliName(QStringView name);
std::optional<FpsType> fpsTypeFromCliName(QStringView name);

// Every name of a kind, in table order.
QStringList frameCliNames();
QStringList fpsCliNames();
QStringList alignCliNames();

} // namespace brisomel
