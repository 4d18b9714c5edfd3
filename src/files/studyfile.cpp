#include "files/studyfile.h"
