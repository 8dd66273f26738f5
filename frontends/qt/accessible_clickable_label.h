#pragma once
// What assistive technology sees of a clickable label: a button, named by its accessible name or
// else its text, with its tooltip as description, whose press action runs what a click runs; a
// group's selector is checkable, and checked while its group shows. It stays out of the keyboard
// focus.

namespace orvelin {

// Makes every clickable label look so to assistive technology; once is enough, more do nothing.
void installAccessibleClickableLabels();

} // namespace orvelin
