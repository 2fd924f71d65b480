#pragma once

#include <cstdint>
#include <optional>

class QWidget;

// The desktop's colour dialog as every colour control of the program opens it: starting from a COLORREF
// colour, offering the session's custom colours and keeping the ones the author mixed. Nothing when the
// author cancels.
namespace CorvColourDialog {

std::optional<uint32_t> Ask(uint32_t initial, QWidget *parent);

} // namespace CorvColourDialog
