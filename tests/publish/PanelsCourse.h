#pragma once

#include "ScreenTestSupport.h"

// A menu-based course for the question panels, the pictures, the media players, the international and
// glossary scripts and the outline page: every question kind, every pan-and-zoom effect (and each way of
// panning), linked pictures, every media kind, a last topic that the outline lists as the assessment link,
// a final performance folder, a remediation folder, popups, and glossary terms with text, with a picture
// only and with hidden link markers. Its pictures and media files lie in the fixture's temporary folder.
namespace ScreenTest {

void BuildPanelsCourse(Fixture &fixture, const SampleTexts &texts);

// The course's international profile: texts of two objects in turn, a text with a limit, the outline's
// assessment text and its page language.
void SetPanelsProfile(Fixture &fixture, const SampleTexts &texts);

} // namespace ScreenTest
