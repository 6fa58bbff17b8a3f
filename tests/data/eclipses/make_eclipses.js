// Solar and lunar eclipses seen from the places given, over the years given,
// from the sun and moon of the npm package astronomy-engine (an ephemeris
// independent of ERFA) with our own geometry:
//  - solar: topocentric, the observer on the ellipsoid at height 0; the sun
//    apparent (light time and aberration) with radius 695 700 km, the moon
//    where its light left it with the limb radius 0.2725076 earth radii;
//    contacts where the separation equals the sum or difference of the
//    radii; listed when the sun's centre is above -(35'08" + its
//    semi-diameter) at some moment between the first and last contacts.
//  - lunar: geocentric, the shadow cones of a sphere of 6459 km behind the
//    apparent sun, the moon of 1737.4 km; listed when the moon's centre
//    (topocentric, geometric) is above the horizon between 半影食の始め
//    and 半影食の終わり.
// One line per eclipse: "place YYYY-MM-DD kind type magnitude HH:MM:SS..."
// (the JST date of the maximum, then every contact in time order, JST to
// the second; a contact on another day than the maximum is still written as
// its clock time).
// usage: node make_eclipses.js "東京:35.658099222:139.741357472" 1900 2100
const A = require('astronomy-engine');
const args = process.argv.slice(2);
const places = args.filter(a => a.includes(':')).map(a => a.split(':'));
const [firstYear, lastYear] = args.filter(a => !a.includes(':')).map(Number);

const KM = A.KM_PER_AU;
const C_KM_PER_DAY = A.C_AUDAY * KM;
const SUN_R = 695700, MOON_R = 1737.4, SHADOW_R = 6371 + 88;
const MOON_LIMB = 0.2725076 * 6378.137;
const REFRACTION = (35 * 60 + 8) / 3600;
const SUN_SD_1AU = 959.63;
const DEG = 180 / Math.PI;
const STEP = 10 / 1440, SOLVE = 0.05 / 86400, HALF_SPAN = 0.5;

const sub = (a, b) => [a[0] - b[0], a[1] - b[1], a[2] - b[2]];
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const norm = a => Math.sqrt(dot(a, a));
const angle = (a, b) => {
    const c = [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
    return Math.atan2(norm(c), dot(a, b));
};
const km = v => [v.x * KM, v.y * KM, v.z * KM];

// Everything on the true equator of date, km; ut as astronomy-engine's days.
function sky(ut, obs) {
    const t = A.MakeTime(ut);
    const rot = A.Rotation_EQJ_EQD(t);
    const toDate = v => { const r = A.RotateVector(rot, v); return km(r); };
    const sun = toDate(A.GeoVector(A.Body.Sun, t, true));
    const m0 = A.GeoMoon(t);
    const light = norm(km(m0)) / C_KM_PER_DAY;
    const moon = toDate(A.GeoMoon(A.MakeTime(ut - light)));
    const result = { sun, moon };
    if (obs) {
        const site = km(A.ObserverVector(t, obs, true));
        const phi = obs.latitude / DEG;
        const h = (15 * A.SiderealTime(t) + obs.longitude) / DEG;
        result.site = site;
        result.zenith = [Math.cos(phi) * Math.cos(h), Math.cos(phi) * Math.sin(h), Math.sin(phi)];
    }
    return result;
}
const altitude = (to, zenith) => Math.asin(dot(to, zenith) / norm(to)) * DEG;

function solar(ut, obs) {
    const s = sky(ut, obs);
    const sun = sub(s.sun, s.site), moon = sub(s.moon, s.site);
    const R = Math.asin(SUN_R / norm(sun)), r = Math.asin(MOON_LIMB / norm(moon));
    return { d: angle(sun, moon), R, r,
             up: altitude(sun, s.zenith) + REFRACTION + SUN_SD_1AU / 3600 / (norm(s.sun) / KM) };
}
function lunar(ut, obs) {
    const s = sky(ut, obs);
    const D = norm(s.sun);
    const axis = s.sun.map(x => -x / D);
    const behind = dot(s.moon, axis);
    const across = norm(s.moon.map((x, i) => x - behind * axis[i]));
    const su = (SUN_R - SHADOW_R) / D, sp = (SUN_R + SHADOW_R) / D;
    const umbra = (SHADOW_R / su - behind) * Math.tan(Math.asin(su));
    const penumbra = (SHADOW_R / sp + behind) * Math.tan(Math.asin(sp));
    const moonTopo = sub(s.moon, s.site);
    return { across, umbra, penumbra, up: altitude(moonTopo, s.zenith) };
}

function bisect(f, a, b) {
    const fa = f(a) < 0;
    while (b - a > SOLVE) {
        const m = (a + b) / 2;
        if ((f(m) < 0) === fa) a = m; else b = m;
    }
    return (a + b) / 2;
}
function golden(f, a, b) {
    const g = (Math.sqrt(5) - 1) / 2;
    let c = b - g * (b - a), d = a + g * (b - a), fc = f(c), fd = f(d);
    while (b - a > SOLVE) {
        if (fc < fd) { b = d; d = c; fd = fc; c = b - g * (b - a); fc = f(c); }
        else { a = c; c = d; fc = fd; d = a + g * (b - a); fd = f(d); }
    }
    return (a + b) / 2;
}
// The least of f over [t0 - HALF_SPAN, t0 + HALF_SPAN] on a 5-minute grid, refined.
function least(f, t0) {
    const step = 5 / 1440, n = Math.round(2 * HALF_SPAN / step);
    let best = 0, bv = Infinity;
    for (let i = 0; i <= n; ++i) {
        const v = f(t0 - HALF_SPAN + i * step);
        if (v < bv) { bv = v; best = i; }
    }
    return golden(f, t0 - HALF_SPAN + Math.max(best - 1, 0) * step, t0 - HALF_SPAN + Math.min(best + 1, n) * step);
}
// Where f (negative at `inside`) reaches 0 going in `dir`.
function contact(f, inside, dir) {
    let prev = inside;
    for (let t = inside + dir * STEP; ; t += dir * STEP) {
        if (f(t) >= 0) return dir < 0 ? bisect(f, t, prev) : bisect(f, prev, t);
        prev = t;
    }
}
function aboveSomewhere(f, a, b) {
    for (let t = a; ; t += STEP / 10) {
        if (f(Math.min(t, b)) > 0) return true;
        if (t >= b) return false;
    }
}

function solarAt(t0, obs) {
    const sep = t => solar(t, obs).d;
    const max = least(sep, t0);
    const out = t => { const s = solar(t, obs); return s.d - (s.R + s.r); };
    if (out(max) >= 0) return null;
    const first = contact(out, max, -1), last = contact(out, max, +1);
    if (!aboveSomewhere(t => solar(t, obs).up, first, last)) return null;
    const m = solar(max, obs);
    const central = t => { const s = solar(t, obs); return s.d - Math.abs(s.R - s.r); };
    const c = [['first', first]];
    let type = 'partial';
    if (central(max) < 0) {
        type = m.r > m.R ? 'total' : 'annular';
        c.push(['central', contact(central, max, -1)], ['max', max], ['central', contact(central, max, +1)]);
    } else {
        c.push(['max', max]);
    }
    c.push(['last', last]);
    return { kind: 'solar', type, magnitude: (m.R + m.r - m.d) / (2 * m.R), contacts: c };
}
function lunarAt(t0, obs) {
    const max = least(t => lunar(t, obs).across, t0);
    const pen = t => { const s = lunar(t, obs); return s.across - (s.penumbra + MOON_R); };
    if (pen(max) >= 0) return null;
    const p1 = contact(pen, max, -1), p4 = contact(pen, max, +1);
    if (!aboveSomewhere(t => lunar(t, obs).up, p1, p4)) return null;
    const um = t => { const s = lunar(t, obs); return s.across - (s.umbra + MOON_R); };
    const tot = t => { const s = lunar(t, obs); return s.across - (s.umbra - MOON_R); };
    const m = lunar(max, obs);
    const c = [['p1', p1]];
    let type = 'penumbral', magnitude = (m.penumbra + MOON_R - m.across) / (2 * MOON_R);
    if (um(max) < 0) {
        type = tot(max) < 0 ? 'total' : 'partial';
        magnitude = (m.umbra + MOON_R - m.across) / (2 * MOON_R);
        c.push(['u1', contact(um, max, -1)]);
        if (type === 'total') c.push(['u2', contact(tot, max, -1)]);
        c.push(['max', max]);
        if (type === 'total') c.push(['u3', contact(tot, max, +1)]);
        c.push(['u4', contact(um, max, +1)]);
    } else {
        c.push(['max', max]);
    }
    c.push(['p4', p4]);
    return { kind: 'lunar', type, magnitude, contacts: c };
}

// JST date and clock of astronomy-engine's UT day count, to the second.
function jst(ut) {
    const ms = Math.round((ut * 86400 + 9 * 3600) ) * 1000 + Date.UTC(2000, 0, 1, 12);
    const iso = new Date(ms).toISOString();
    return [iso.slice(0, 10), iso.slice(11, 19)];
}

const start = A.MakeTime(new Date(Date.UTC(firstYear, 0, 1) - 9 * 3600000));
const end = A.MakeTime(new Date(Date.UTC(lastYear + 1, 0, 1) - 9 * 3600000));
const syzygies = [];
for (const phase of [0, 180]) {
    let t = A.MakeTime(start.ut - 2);
    for (;;) {
        const s = A.SearchMoonPhase(phase, t, 40);
        if (s.ut > end.ut + 2) break;
        // Far from a node the moon misses the sun and the penumbra everywhere.
        if (Math.abs(A.EclipticGeoMoon(s).lat) < 1.7) syzygies.push([phase, s.ut]);
        t = A.MakeTime(s.ut + 1);
    }
}
syzygies.sort((a, b) => a[1] - b[1]);
for (const [name, lat, lon] of places) {
    const obs = new A.Observer(Number(lat), Number(lon), 0);
    for (const [phase, ut] of syzygies) {
        const e = phase === 0 ? solarAt(ut, obs) : lunarAt(ut, obs);
        if (!e) continue;
        const maxUt = e.contacts.find(c => c[0] === 'max')[1];
        if (maxUt < start.ut || maxUt >= end.ut) continue;
        console.log([name, jst(maxUt)[0], e.kind, e.type, e.magnitude.toFixed(4),
                     ...e.contacts.map(c => jst(c[1])[1])].join(' '));
    }
}
