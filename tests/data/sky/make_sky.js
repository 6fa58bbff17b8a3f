// Rise, set, transit, dawn and dusk by the national almanac's definitions
// from the npm package astronomy-engine (an ephemeris independent of ERFA),
// for every JST day of the years given at the places given. One line each:
// "YYYY-MM-DD place kind HH:MM:SS" (JST, rounded to the second).
// usage: node make_sky.js "東京:35.658099222:139.741357472" 2026 ...
const A = require('astronomy-engine');
const refraction = (35 * 60 + 8) / 3600;
const twilight = -(7 + 21 / 60 + 40 / 3600);
const args = process.argv.slice(2);
const places = args.filter(a => a.includes(':')).map(a => a.split(':'));
const years = args.filter(a => !a.includes(':')).map(Number);
const jst = 9 / 24;
function text(t, day0) {
    const s = Math.round((t.ut - day0) * 86400);
    if (s < 0 || s >= 86400) return null;
    const h = Math.floor(s / 3600), m = Math.floor(s / 60) % 60, x = s % 60;
    return [h, m, x].map(v => String(v).padStart(2, '0')).join(':');
}
for (const [name, lat, lon] of places) {
    const obs = new A.Observer(Number(lat), Number(lon), 0);
    for (const y of years) {
        for (let d = new Date(Date.UTC(y, 0, 1)); d.getUTCFullYear() === y; d.setUTCDate(d.getUTCDate() + 1)) {
            const date = d.toISOString().slice(0, 10);
            // The day's 0 h JST as astronomy-engine's UT day count (from J2000).
            const day0 = A.MakeTime(new Date(d.getTime() - jst * 86400000)).ut;
            const start = A.MakeTime(day0 - 1 / 86400);
            const sunDist = A.GeoVector(A.Body.Sun, A.MakeTime(day0 + 0.5), true);
            const distAu = Math.hypot(sunDist.x, sunDist.y, sunDist.z);
            const sunAlt = -(refraction + 959.63 / 3600 / distAu);
            const events = [
                ['sunrise', A.Body.Sun, +1, sunAlt], ['sunset', A.Body.Sun, -1, sunAlt],
                ['dawn', A.Body.Sun, +1, twilight], ['dusk', A.Body.Sun, -1, twilight],
                ['moonrise', A.Body.Moon, +1, -refraction], ['moonset', A.Body.Moon, -1, -refraction],
            ];
            for (const [kind, body, dir, alt] of events) {
                let from = start;
                for (;;) {
                    const t = A.SearchAltitude(body, obs, dir, from, 1.0001, alt);
                    if (!t) break;
                    const s = text(t, day0);
                    if (!s) break;
                    console.log(date, name, kind, s);
                    from = A.MakeTime(t.ut + 60 / 86400);
                }
            }
            for (const [kind, body] of [['sunTransit', A.Body.Sun], ['moonTransit', A.Body.Moon]]) {
                const h = A.SearchHourAngle(body, obs, 0, start, +1);
                const s = text(h.time, day0);
                if (s) console.log(date, name, kind, s);
            }
        }
    }
}
