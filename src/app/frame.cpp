// PLACEHOLDER: replaced by the frame window.
#include "app/app.h"
