#pragma once
// A request to end the station (SIGINT, SIGTERM, SIGHUP; a console control
// event on Windows). The first lets the chip in hand finish and its line be
// written, then the station ends; a second one abandons that chip. Both calls
// are safe in a signal handler.
namespace tessorin::download {

void requestStationEnd();
// How many requests came so far.
int stationEndRequests();

}  // namespace tessorin::download
