// Process-wide ids for elements, from 1 upward.
#pragma once

unsigned int NewUniqueId();
