#pragma once

// The shell is built last and is the only code that knows every feature. A feature folder or
// the ground floor that included it would make the floors include each other again.
#ifndef QUILLORY_SHELL
#error "A header of src/ui/app is included outside the shell: features stand on src/ui/common only"
#endif
