// Prints every solar term (sun's apparent longitude a multiple of 15 deg)
// and every new moon (the moon's longitude equal to the sun's) from 1899
// through 2101 as JST clock times, one a line:
// "YYYY-MM-DD hh:mm:ss T<deg>" or "... N". Run with astronomy-engine installed:
//   node make_events.js > events.txt
const A = require('astronomy-engine');
const JST_MS = 9 * 3600 * 1000;
const start = new Date(Date.UTC(1899, 0, 1));
const end = new Date(Date.UTC(2102, 0, 1));
function jst(t) {
  const d = new Date(Math.round(t.date.getTime() / 1000) * 1000 + JST_MS);
  return d.toISOString().slice(0, 19).replace('T', ' ');
}
const lines = [];
for (let t = A.MakeTime(start); t.date < end;) {
  // the next multiple of 15 deg after t
  const lon = A.SunPosition(t).elon;
  const target = (Math.floor(lon / 15) + 1) * 15 % 360;
  const found = A.SearchSunLongitude(target, t, 20);
  if (found.date >= end) break;
  lines.push([found.ut, jst(found) + ' T' + target]);
  t = found.AddDays(1);
}
// New moons: the moon's geocentric longitude equal to the sun's apparent
// longitude (SunPosition: light time and aberration, true ecliptic of date).
// The library's own SearchMoonPhase compares with the sun without
// aberration, 20" ahead, which puts its new moons about 37 s later; it only
// brackets the root here.
function lead(t) {
  const d = A.Ecliptic(A.GeoMoon(t)).elon - A.SunPosition(t).elon;
  return ((d + 540) % 360) - 180;
}
for (let t = A.MakeTime(start); ;) {
  const rough = A.SearchMoonPhase(0, t, 40);
  if (rough.date >= end) break;
  const found = A.Search(lead, rough.AddDays(-0.1), rough.AddDays(0.1), {dt_tolerance_seconds: 0.1});
  lines.push([found.ut, jst(found) + ' N']);
  t = found.AddDays(1);
}
lines.sort((a, b) => a[0] - b[0]);
process.stdout.write(lines.map(l => l[1]).join('\n') + '\n');
