#include "reglages_affichage.h"

bool reglages_affichage::_actifs = true;
