#pragma once

void platformResetSystemColours();
