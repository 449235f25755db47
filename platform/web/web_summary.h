// The program's summary handed to the page, with each frame it shows.
#pragma once

void webPublishSummary();
