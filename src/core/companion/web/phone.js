"use strict";

// The phone pages, made in the browser from the collection's JSON API. Whatever the
// collection holds reaches the page as text (text nodes, plain attributes): nothing of it
// is ever read as markup.

const TREES_PER_PAGE = 30;
const MAX_QUERY = 200;
const MAX_EVENT_TEXT = 4000;
const DEFAULT_KIND = "Note";
// What a bench or a shelf is most often given all at once.
const DEFAULT_PLACE_KIND = "Watering";
// A notice given with a saved event, shown on the page that follows.
const NOTICE_KEY = "talvane-notice";
// Where a change went, said on the page that follows it.
const OUTCOME_KEY = "talvane-outcome";
// A request the network lost is sent again, quietly, for this long: another program on
// the computer may be taking over the serving, its port closed for a moment.
const RETRY_FOR_MS = 4000;
const FIRST_RETRY_MS = 250;
const LONGEST_RETRY_MS = 1000;

// English → the server's language, from /api/words.
let catalogue = new Map();

// A text of the pages in the server's language. Each is written as one literal: the
// server and scripts/update_translations.sh find the texts by that mark.
function PHONE_TEXT(english) {
    return catalogue.get(english) ?? english;
}

// A said text's pieces with %1, %2… replaced by the parts (texts, nodes or lists of
// them), ready for append(); a part is never searched for placeholders itself.
function filled(text, ...parts) {
    return text.split(/(%[1-9])/).flatMap((piece, index) => (index % 2 ? parts[Number(piece[1]) - 1] ?? piece : piece));
}

function filledText(text, ...parts) {
    return filled(text, ...parts).join("");
}

// An element with plain attributes (true: present, false or null: absent) and children;
// a string child becomes a text node.
function el(tag, attributes = {}, ...children) {
    const element = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes))
        if (value !== null && value !== undefined && value !== false)
            element.setAttribute(name, value === true ? "" : String(value));
    element.append(...children.flat(Infinity).filter(child => child !== null && child !== undefined && child !== ""));
    return element;
}

function treeAddress(id) {
    return "/tree/" + encodeURIComponent(id);
}

// A picture's address as the server gives it, kept only when it is the server's own.
function ownAddress(url) {
    return typeof url === "string" && /^\/[^/\\]/.test(url) ? url : null;
}

function firstLine(text) {
    return text.split(/[\r\n]/, 1)[0];
}

// crypto.randomUUID() is only offered to secure pages, and a phone reaches the desktop
// over plain HTTP on the home network: the key is drawn from getRandomValues().
function newWriteKey() {
    return Array.from(crypto.getRandomValues(new Uint8Array(16)), byte => byte.toString(16).padStart(2, "0")).join("");
}

// The Idempotency-Key of one write: the same while that very write is sent again after
// the connection was lost, so that the desktop makes it once whichever attempt reached
// it; a new one once the desktop has answered or the write was changed.
class WriteKey {
    constructor() {
        this.key = null;
    }
    forAttempt() {
        this.key ??= newWriteKey();
        return this.key;
    }
    forget() {
        this.key = null;
    }
    settle(error) {
        if (!(error instanceof Refusal) || !error.unreached)
            this.forget();
    }
}

// An answer that is not the one asked for, with what the server said of it.
class Refusal extends Error {
    constructor(status, message) {
        super(message);
        this.status = status;
    }
    get unreached() {
        return this.status === 0;
    }
}

function pause(milliseconds) {
    return new Promise(resolve => setTimeout(resolve, milliseconds));
}

// A fetch sent again while the network fails, for a few seconds. A write goes again as it
// was, with its Idempotency-Key, so that the desktop makes it once.
async function fetchPersistently(path, init) {
    const giveUp = Date.now() + RETRY_FOR_MS;
    for (let wait = FIRST_RETRY_MS; ; wait = Math.min(2 * wait, LONGEST_RETRY_MS)) {
        try {
            return await fetch(path, init);
        } catch (error) {
            if (Date.now() + wait > giveUp)
                throw error;
            await pause(wait);
        }
    }
}

async function api(path, init = {}) {
    let response;
    try {
        response = await fetchPersistently(path, {...init, credentials: "same-origin", cache: "no-store",
                                                  headers: {Accept: "application/json", ...init.headers}});
    } catch {
        throw new Refusal(0, PHONE_TEXT("The desktop did not answer. Check that the phone is on the same network as the desktop, then try again."));
    }
    const text = await response.text();
    let body = null;
    try {
        body = JSON.parse(text);
    } catch {
        // An answer from before the request reached the API is plain text.
    }
    if (response.ok && body !== null)
        return body;
    const said = typeof body?.error === "string" ? body.error : text.trim().slice(0, 500) || `HTTP ${response.status}`;
    throw new Refusal(response.ok ? 502 : response.status, said);
}

function writeHeaders(session, key) {
    const headers = {"X-Talvane-Form": session.formToken};
    if (key)
        headers["Idempotency-Key"] = key;
    return headers;
}

// Where a change went: into the collection's file, or into a window that holds it unsaved.
function whereKept(answer) {
    return answer.saved ? PHONE_TEXT("Saved") : PHONE_TEXT("Kept in Talvane on the computer — not yet saved");
}

// ---------------------------------------------------------------- The page's frame

function navigation(current) {
    const link = (href, label, name) => el("a", {href, "aria-current": current === name ? "page" : null}, label);
    return el("nav", {}, link("/trees", PHONE_TEXT("Trees"), "trees"), link("/places", PHONE_TEXT("Places"), "places"),
              link("/due", PHONE_TEXT("Due"), "due"));
}

function showPage(title, current, content) {
    document.title = `${title} — Talvane`;
    document.body.replaceChildren(navigation(current), el("main", {}, el("h1", {}, title), content));
    window.scrollTo(0, 0);
}

// A message on the page, under its title or before a given place: `alert` for what went
// wrong, `status` for what went right.
function showMessage(text, role = "alert", before = document.querySelector("main > h1")?.nextSibling ?? null) {
    for (const old of document.querySelectorAll(".message[role=alert]"))
        old.remove();
    const message = el("p", {class: "message", role}, text);
    const main = document.querySelector("main") ?? document.body.appendChild(el("main"));
    main.insertBefore(message, before && before.parentNode === main ? before : null);
    message.scrollIntoView({block: "nearest"});
}

// Why a write failed, before a given place; the form stays as it was. One the network lost
// is offered to be sent again: the same write, under the same key.
function showWriteFailure(error, form, before) {
    if (!error.unreached) {
        showMessage(error.message, "alert", before);
        return;
    }
    const again = el("button", {type: "button"}, PHONE_TEXT("Send again"));
    again.addEventListener("click", () => {
        again.disabled = true;
        form.requestSubmit();
    });
    showMessage([PHONE_TEXT("The desktop did not answer. Everything entered is kept: check that the phone is on the same network as the desktop, then send it again."),
                 " ", again], "alert", before);
}

// What a change saved on the page before became.
function showOutcome() {
    const outcome = sessionStorage.getItem(OUTCOME_KEY);
    if (outcome) {
        sessionStorage.removeItem(OUTCOME_KEY);
        showMessage(outcome, "status");
    }
}

function showProblem(error, current) {
    if (!(error instanceof Refusal))
        error = new Refusal(500, filledText(PHONE_TEXT("The desktop could not answer: %1."), String(error?.message ?? error)));
    // A phone that is not paired is only told how to pair it: every link would refuse it.
    if (error.status === 401) {
        document.title = "Talvane";
        document.body.replaceChildren(el("main", {}, el("p", {class: "message", role: "alert"}, error.message)));
        return;
    }
    const title = error.status === 404 ? PHONE_TEXT("Tree not found")
                : error.status === 503 ? PHONE_TEXT("Not shared")
                                       : PHONE_TEXT("Something went wrong");
    showPage(title, current, [el("p", {class: "message", role: "alert"}, error.message),
                              el("p", {}, el("a", {class: "button", href: "/trees"}, PHONE_TEXT("Trees")))]);
}

// ---------------------------------------------------------------- Tasks due

// "Due 2024-05-01", "Overdue since …", "Due today", followed by how the task repeats.
function dueText(due, repeat, today) {
    const date = el("time", {datetime: due}, due);
    const said = due === today ? PHONE_TEXT("Due today")
               : filled(due < today ? PHONE_TEXT("Overdue since %1") : PHONE_TEXT("Due %1"), date);
    return thenRepeated(said, repeat);
}

function thenRepeated(said, repeat) {
    return repeat ? filled(PHONE_TEXT("%1, then %2"), said, repeat) : said;
}

async function markDone(context, task, button, writeKey) {
    button.disabled = true;
    let done;
    try {
        done = await api(`/api/due/${encodeURIComponent(task)}/done`,
                         {method: "POST", headers: writeHeaders(context.session, writeKey.forAttempt())});
    } catch (error) {
        writeKey.settle(error);
        button.disabled = false;
        showWriteFailure(error, button.form);
        return;
    }
    writeKey.forget();
    try {
        await context.reload();
    } catch (error) {
        showMessage(error.message);
    }
    showMessage(whereKept(done), "status");
}

// A task with its title (a link to its tree on the Due page), when it falls due, and the
// button that marks it done.
function taskItem(context, {title, link, due, repeat, overdue, task}, today) {
    const button = el("button", {type: "submit"}, PHONE_TEXT("Mark done"));
    const form = el("form", {class: "done"}, button);
    const writeKey = new WriteKey();
    form.addEventListener("submit", event => {
        event.preventDefault();
        markDone(context, task, button, writeKey);
    });
    return el("li", {class: overdue ? "task overdue" : "task"},
              link ? el("a", {href: link}, title) : el("span", {}, title),
              el("span", {class: "when"}, dueText(due, repeat, today)), form);
}

// ---------------------------------------------------------------- Trees

async function loadTrees() {
    const params = new URLSearchParams(location.search);
    const query = (params.get("q") ?? "").slice(0, MAX_QUERY);
    const asked = Number.parseInt(params.get("page") ?? "0", 10);
    const ask = page => {
        const search = new URLSearchParams({offset: page * TREES_PER_PAGE, limit: TREES_PER_PAGE});
        if (query)
            search.set("q", query);
        return api("/api/trees?" + search);
    };
    let page = Number.isSafeInteger(asked) && asked > 0 ? asked : 0;
    let list = await ask(page);
    // A label's code opens its tree, in place of the search.
    if (list.labelled) {
        location.replace(treeAddress(list.labelled));
        return null;
    }
    const pageCount = Math.max(1, Math.ceil(list.found / TREES_PER_PAGE));
    if (page >= pageCount) {
        page = pageCount - 1;
        list = await ask(page);
    }
    // The garden's alerts head the first page of the whole collection.
    const alerts = !query && page === 0 ? await api("/api/alerts") : null;
    return {query, page, pageCount, list, alerts};
}

// The frost and heat coming to each place, and the wires to check, with the forecast's
// age when it could not be read again; nothing without an alert.
function alertsSection(alerts) {
    const wires = (alerts?.alerts ?? []).filter(alert => alert.kind === "wire");
    const groups = alerts?.groups ?? [];
    if (!groups.length && !wires.length)
        return null;
    const kindClass = kind => (["frost", "heat", "wire"].includes(kind) ? kind : null);
    return el("section", {class: "alerts"},
        el("h2", {}, PHONE_TEXT("Garden alerts")),
        el("ul", {}, groups.map(group => el("li", {class: kindClass(group.kind)}, group.text)),
           wires.map(alert => el("li", {class: "wire"}, el("a", {href: treeAddress(alert.tree.id)}, alert.text)))),
        alerts.forecastAge ? el("p", {class: "quiet"}, alerts.forecastAge) : null);
}

function treeItem(tree) {
    const thumbnail = ownAddress(tree.thumbnail);
    return el("li", {}, el("a", {href: treeAddress(tree.id)},
        thumbnail ? el("img", {src: thumbnail, alt: "", width: 64, height: 64}) : el("span", {class: "nophoto"}),
        el("span", {}, el("strong", {}, tree.name), tree.botanicalName),
        tree.due > 0 ? el("span", {class: "badge"}, filledText(PHONE_TEXT("%1 due"), String(tree.due))) : null));
}

function pager(query, page, pageCount) {
    if (pageCount <= 1)
        return null;
    const link = (number, label) => el("a", {class: "button", href: "/trees?" + new URLSearchParams({q: query, page: number})}, label);
    return el("div", {class: "pages"},
              page > 0 ? link(page - 1, PHONE_TEXT("Previous")) : el("span"),
              el("span", {}, filledText(PHONE_TEXT("Page %1 of %2"), String(page + 1), String(pageCount))),
              page + 1 < pageCount ? link(page + 1, PHONE_TEXT("Next")) : el("span"));
}

// Phones open their camera for a file field that asks for one; other browsers offer a
// photo from their files.
function scanForm(context) {
    const button = el("button", {type: "submit"}, PHONE_TEXT("Open"));
    const form = el("form", {class: "scan"},
        el("label", {for: "label-photo"}, PHONE_TEXT("Scan a label: take a photo of its QR code")),
        el("input", {id: "label-photo", type: "file", name: "label", accept: "image/*", capture: "environment", required: true}),
        button);
    form.addEventListener("submit", async event => {
        event.preventDefault();
        button.disabled = true;
        try {
            const found = await api("/api/labels/scan", {method: "POST", headers: writeHeaders(context.session),
                                                         body: new FormData(form)});
            location.assign(treeAddress(found.tree));
        } catch (error) {
            button.disabled = false;
            showMessage(error.message);
        }
    });
    return form;
}

function showTrees(context, found) {
    if (!found)
        return;
    const {query, page, pageCount, list, alerts} = found;
    const search = el("form", {class: "search", method: "get", action: "/trees"},
        el("input", {type: "search", name: "q", value: query, maxlength: MAX_QUERY,
                     placeholder: PHONE_TEXT("Name, species or label code"), "aria-label": PHONE_TEXT("Search")}),
        el("button", {type: "submit"}, PHONE_TEXT("Find")));
    showPage(PHONE_TEXT("Trees"), "trees", [
        alertsSection(alerts),
        search, scanForm(context),
        el("p", {class: "quiet"}, [list.summary, list.collection].filter(Boolean).join(" · ")),
        el("ul", {class: "trees"}, list.trees.map(treeItem)),
        pager(query, page, pageCount)]);
}

// ---------------------------------------------------------------- A tree

function loadTree(ref) {
    return api("/api/trees/" + encodeURIComponent(ref));
}

function shownPictures(pictures) {
    return pictures.filter(picture => ownAddress(picture.url));
}

function photoSection(heading, pictures, figure) {
    const shown = shownPictures(pictures);
    return shown.length ? [el("h2", {}, heading), el("div", {class: "photos"}, shown.map(figure))] : [];
}

function albumFigure(picture) {
    const description = picture.description ?? "";
    return el("figure", {}, el("img", {src: ownAddress(picture.url), alt: description}), el("figcaption", {}, description));
}


function fieldSections(sections) {
    return sections.filter(section => section.fields.length).map((section, index) =>
        el("details", {open: index === 0}, el("summary", {}, section.caption),
           el("dl", {}, section.fields.map(field => [el("dt", {}, field.label), el("dd", {}, field.value)]))));
}

// The latest value of each kind of measurement the journal holds (newest event first),
// with its day, in the order the care form offers the kinds.
function latestMeasurements(events, measures) {
    const latest = new Map();
    for (const event of events)
        for (const measured of event.measurements)
            if (!latest.has(measured.kind))
                latest.set(measured.kind, {...measured, date: event.date});
    const rank = kind => {
        const at = measures.findIndex(measure => measure.key === kind);
        return at < 0 ? measures.length : at;
    };
    return [...latest.values()].sort((first, second) => rank(first.kind) - rank(second.kind));
}

function measurementsSection(events, measures) {
    const latest = latestMeasurements(events, measures);
    return latest.length ? [el("h2", {}, PHONE_TEXT("Latest measurements")),
        el("table", {class: "measured"}, el("tbody", {}, latest.map(measured => el("tr", {},
            el("th", {scope: "row"}, measured.label), el("td", {}, measured.text),
            el("td", {}, el("time", {datetime: measured.date}, measured.date))))))] : [];
}

function journalSection(tree) {
    const heading = el("h2", {}, PHONE_TEXT("Journal"));
    if (!tree.journalShown)
        return [heading, el("p", {class: "quiet"}, PHONE_TEXT("This tree's journal was written by another program and is not shown."))];
    if (!tree.events.length)
        return [heading, el("p", {class: "quiet"}, PHONE_TEXT("No care recorded yet."))];
    return [heading, el("ol", {class: "journal"}, tree.events.map(event => el("li", {},
        el("span", {class: "when"}, event.date), " ", el("strong", {}, event.kindLabel),
        event.text ? el("p", {}, event.text) : null,
        event.measurements.length
            ? el("p", {class: "quiet"}, event.measurements.map(measured => `${measured.label} ${measured.text}`).join(", "))
            : null,
        event.due ? el("p", {class: "quiet"}, thenRepeated(filled(PHONE_TEXT("Next step due %1"), event.due), event.repeat))
                  : null)))];
}

function showTree(context, tree) {
    const today = context.session.today;
    const tasks = tree.events.filter(event => event.task && event.due).map(event => taskItem(context, {
        title: event.text ? filledText(PHONE_TEXT("%1: %2"), event.kindLabel, firstLine(event.text)) : event.kindLabel,
        due: event.due, repeat: event.repeat, overdue: event.due < today, task: event.task}, today));
    timelineShown = shownPictures(tree.timeline);
    showPage(tree.name, "", [
        tree.botanicalName ? el("p", {class: "quiet"}, el("em", {}, tree.botanicalName)) : null,
        tree.journalShown ? el("div", {class: "actions"}, el("a", {class: "button", href: treeAddress(tree.id) + "/log"}, PHONE_TEXT("Log care"))) : null,
        measurementsSection(tree.events, context.words.measures),
        tasks.length ? [el("h2", {}, PHONE_TEXT("Due")), el("ul", {class: "tasks"}, tasks)] : null,
        photoSection(PHONE_TEXT("Album"), tree.album, albumFigure),
        timelineSection(timelineShown),
        fieldSections(tree.sections),
        journalSection(tree)]);
    showNamedPhoto();
    const notice = sessionStorage.getItem(NOTICE_KEY);
    if (notice) {
        sessionStorage.removeItem(NOTICE_KEY);
        showMessage(notice, "status");
    }
}

// ---------------------------------------------------------------- A tree's timeline

// A thumbnail's side as asked of the server: enough for a cell of the grid on a sharp
// screen, in whole steps so that pages share what the browser keeps of them.
const THUMBNAIL_SIDE = Math.min(512, 128 * Math.ceil(window.devicePixelRatio || 1));
// The sides the server sends a picture at.
const SMALLEST_SIDE = 16;
const LARGEST_SIDE = 2048;

// A picture's address, at most `side` pixels wide and high.
function sizedAddress(url, side) {
    const address = new URL(url, location.origin);
    address.searchParams.set("size", String(side));
    return address.pathname + address.search;
}

// The side that fills this screen either way up, in the screen's own pixels.
function screenSide() {
    const side = Math.ceil(Math.max(window.innerWidth, window.innerHeight) * (window.devicePixelRatio || 1));
    return Math.min(LARGEST_SIDE, Math.max(SMALLEST_SIDE, side));
}

// The season of a day as a temperate northern garden has it: March to May is spring. A
// winter runs from December into the next year and is named by both ("Winter 2025–26").
function seasonOf(date) {
    const year = Number(date.slice(0, 4)), month = Number(date.slice(5, 7));
    if (month <= 2 || month === 12) {
        const first = month === 12 ? year : year - 1;
        return {key: `${first}-winter`,
                name: filledText(PHONE_TEXT("Winter %1"), `${first}–${String(first + 1).slice(-2)}`)};
    }
    const [season, name] = month <= 5 ? ["spring", PHONE_TEXT("Spring %1")]
                         : month <= 8 ? ["summer", PHONE_TEXT("Summer %1")]
                                      : ["autumn", PHONE_TEXT("Autumn %1")];
    return {key: `${year}-${season}`, name: filledText(name, String(year))};
}

// The photos (newest first) by season, each with its place on the timeline.
function bySeason(photos) {
    const seasons = new Map();
    photos.forEach((photo, index) => {
        const {key, name} = seasonOf(photo.date);
        if (!seasons.has(key))
            seasons.set(key, {name, photos: []});
        seasons.get(key).photos.push({photo, index});
    });
    return [...seasons.values()];
}

function photoAlt(photo) {
    return photo.text ? filledText(PHONE_TEXT("%1: %2"), photo.kindLabel, firstLine(photo.text)) : photo.kindLabel;
}

// A link, so that a finger, Enter and a screen reader all open the photo full size.
function thumbnail(photo, index) {
    const link = el("a", {class: "thumb", href: photoHash(index)},
        el("img", {loading: "lazy", src: sizedAddress(photo.url, THUMBNAIL_SIDE), alt: photoAlt(photo), width: 120, height: 120}),
        el("time", {datetime: photo.date}, photo.date));
    link.addEventListener("click", event => {
        event.preventDefault();
        history.pushState({photo: index}, "", photoHash(index));
        showNamedPhoto();
    });
    return el("li", {}, link);
}

function timelineSection(photos) {
    return photos.length ? [el("h2", {}, PHONE_TEXT("Timeline")), el("div", {class: "timeline"},
        bySeason(photos).map(season => [el("h3", {}, season.name),
            el("ul", {class: "thumbs"}, season.photos.map(({photo, index}) => thumbnail(photo, index)))]))] : [];
}

// ---------------------------------------------------------------- A photo full size

// The tree page's timeline photo the address names ("#photo-3") is shown full size over
// the page, so that the browser's Back closes it as it would leave a page.
const PHOTO_HASH = /^#photo-(\d{1,5})$/;
let timelineShown = [];

function photoHash(index) {
    return "#photo-" + index;
}

function namedPhoto() {
    const index = Number(location.hash.match(PHOTO_HASH)?.[1] ?? -1);
    return index < timelineShown.length ? index : -1;
}

// Back to the tree's page: as the photo was opened, or, for a page opened on the photo,
// by the address without it.
function leavePhoto() {
    if (Number.isInteger(history.state?.photo))
        history.back();
    else
        history.replaceState(null, "", location.pathname + location.search);
}

function showNamedPhoto() {
    const index = namedPhoto();
    const open = document.querySelector("dialog.viewer[open]");
    if (open && Number(open.dataset.index) === index)
        return;
    open?.close();
    if (index >= 0)
        photoViewer(timelineShown[index], index).showModal();
}

function photoViewer(photo, index) {
    const back = el("button", {type: "button"}, PHONE_TEXT("Back"));
    const taken = photo.taken && photo.taken !== photo.date ? photo.taken : null;
    const viewer = el("dialog", {class: "viewer", "data-index": index, "aria-labelledby": "viewer-title"},
        el("div", {class: "bar"}, back),
        el("img", {src: sizedAddress(photo.url, screenSide()), alt: photoAlt(photo)}),
        el("div", {class: "about"},
           el("h2", {id: "viewer-title"}, el("time", {datetime: photo.date}, photo.date), " · ", photo.kindLabel),
           taken ? el("p", {class: "taken"}, filled(PHONE_TEXT("Taken %1"), el("time", {datetime: taken}, taken))) : null,
           photo.text ? el("p", {}, photo.text) : null));
    back.addEventListener("click", () => viewer.close());
    // Closed by its button, by Escape or by the browser's Back.
    viewer.addEventListener("close", () => {
        viewer.remove();
        document.querySelector(`a.thumb[href="${photoHash(index)}"]`)?.focus();
        if (namedPhoto() === index)
            leavePhoto();
    });
    document.body.append(viewer);
    return viewer;
}

for (const change of ["popstate", "hashchange"])
    window.addEventListener(change, showNamedPhoto);

// ---------------------------------------------------------------- Log care

function labelled(id, text) {
    return el("label", {for: id}, text);
}

function measureRow(measure) {
    const id = "amount-" + measure.key;
    return el("div", {class: "measure"}, labelled(id, measure.label),
              el("input", {id, name: id, inputmode: "decimal", maxlength: 12}),
              el("select", {name: "unit-" + measure.key, "aria-label": PHONE_TEXT("Unit")},
                 measure.units.map(unit => el("option", {selected: unit === measure.unit}, unit))));
}

// The repeats a grower sets most, as the journal stores them.
function repeatChoices() {
    return [["", PHONE_TEXT("Does not repeat")],
            ["1w", PHONE_TEXT("Every week")], ["2w", filledText(PHONE_TEXT("Every %1 weeks"), "2")],
            ["1m", PHONE_TEXT("Every month")], ["2m", filledText(PHONE_TEXT("Every %1 months"), "2")],
            ["3m", filledText(PHONE_TEXT("Every %1 months"), "3")], ["6m", filledText(PHONE_TEXT("Every %1 months"), "6")],
            ["1y", PHONE_TEXT("Every year")], ["2y", filledText(PHONE_TEXT("Every %1 years"), "2")],
            ["3y", filledText(PHONE_TEXT("Every %1 years"), "3")]];
}

// The form's fields as NewEvent names them: the texts typed, then every photo chosen.
function newEvent(form) {
    const sent = new FormData();
    for (const [name, value] of new FormData(form))
        if (typeof value === "string" && value !== "")
            sent.append(name, value);
    for (const input of form.querySelectorAll("input[type=file]"))
        for (const photo of input.files)
            sent.append("photo", photo);
    return sent;
}

function showLogCare(context, tree) {
    const {session, words} = context;
    const today = session.today;
    const save = el("button", {type: "submit"}, PHONE_TEXT("Save"));
    const actions = el("div", {class: "actions"}, save);
    // A camera field opens the camera straight away on most phones, and offers no
    // gallery: both are given.
    const form = el("form", {class: "log"},
        labelled("kind", PHONE_TEXT("Kind")),
        el("select", {id: "kind", name: "kind"},
           words.kinds.map(kind => el("option", {value: kind.kind, selected: kind.kind === DEFAULT_KIND}, kind.label))),
        labelled("date", PHONE_TEXT("Date")),
        el("input", {id: "date", name: "date", type: "date", value: today, max: today}),
        labelled("text", PHONE_TEXT("Text")),
        el("textarea", {id: "text", name: "text", maxlength: MAX_EVENT_TEXT}),
        labelled("due", PHONE_TEXT("Next step due (optional)")),
        el("input", {id: "due", name: "due", type: "date", min: today}),
        labelled("repeat", PHONE_TEXT("Then repeat")),
        el("select", {id: "repeat", name: "repeat", disabled: true},
           repeatChoices().map(([value, label]) => el("option", {value}, label))),
        el("label", {}, PHONE_TEXT("Measurements (optional)")),
        words.measures.map(measureRow),
        labelled("camera", PHONE_TEXT("Take a photo (optional)")),
        el("input", {id: "camera", name: "photo", type: "file", accept: "image/*", capture: "environment"}),
        labelled("photos", PHONE_TEXT("Or choose photos")),
        el("input", {id: "photos", name: "photo", type: "file", accept: "image/*", multiple: true}),
        // The photos go on the one event logged unless each is to stand on its own day.
        el("label", {class: "choice"},
           el("input", {id: "byPhotoDates", name: "byPhotoDates", type: "checkbox", value: "1"}),
           PHONE_TEXT("Add photos to the timeline by their dates")),
        actions);
    // A repeat is that of the next step: it is offered once a due date is given.
    const due = form.querySelector("#due"), repeat = form.querySelector("#repeat");
    for (const change of ["input", "change"])
        due.addEventListener(change, () => { repeat.disabled = !due.value; });
    const writeKey = new WriteKey();
    for (const change of ["input", "change"])
        form.addEventListener(change, () => writeKey.forget());
    form.addEventListener("submit", async event => {
        event.preventDefault();
        save.disabled = true;
        try {
            const added = await api(`/api/trees/${encodeURIComponent(tree.id)}/events`,
                                    {method: "POST", headers: writeHeaders(session, writeKey.forAttempt()), body: newEvent(form)});
            if (added.notice)
                sessionStorage.setItem(NOTICE_KEY, added.notice);
            sessionStorage.setItem(OUTCOME_KEY, whereKept(added));
            location.assign(treeAddress(added.tree));
        } catch (error) {
            // Everything typed and chosen stays, to be corrected and sent again.
            writeKey.settle(error);
            save.disabled = false;
            showWriteFailure(error, form, actions);
        }
    });
    showPage(PHONE_TEXT("Log care"), "", [el("p", {}, el("a", {href: treeAddress(tree.id)}, tree.name)), form]);
}

// ---------------------------------------------------------------- Places

function loadPlaces() {
    return api("/api/places");
}

// One event on every tree of the place: its kind, the day and a text.
function placeCareForm(context, place, index) {
    const {session, words} = context;
    const id = name => `${name}-${index}`;
    const save = el("button", {type: "submit"}, PHONE_TEXT("Save"));
    const actions = el("div", {class: "actions"}, save);
    const form = el("form", {class: "log"},
        labelled(id("kind"), PHONE_TEXT("Kind")),
        el("select", {id: id("kind"), name: "kind"},
           words.kinds.map(kind => el("option", {value: kind.kind, selected: kind.kind === DEFAULT_PLACE_KIND}, kind.label))),
        labelled(id("date"), PHONE_TEXT("Date")),
        el("input", {id: id("date"), name: "date", type: "date", value: session.today, max: session.today}),
        labelled(id("text"), PHONE_TEXT("Text")),
        el("textarea", {id: id("text"), name: "text", maxlength: MAX_EVENT_TEXT}),
        actions);
    const writeKey = new WriteKey();
    for (const change of ["input", "change"])
        form.addEventListener(change, () => writeKey.forget());
    form.addEventListener("submit", async event => {
        event.preventDefault();
        save.disabled = true;
        let cared;
        try {
            cared = await api(`/api/places/${encodeURIComponent(place.name)}/care`,
                              {method: "POST", headers: writeHeaders(session, writeKey.forAttempt()), body: newEvent(form)});
        } catch (error) {
            writeKey.settle(error);
            save.disabled = false;
            showWriteFailure(error, form, actions);
            return;
        }
        writeKey.forget();
        try {
            await context.reload();
        } catch (error) {
            showMessage(error.message);
        }
        showMessage([cared.text, el("br"), whereKept(cared)], "status");
        if (cared.notice)
            showMessage(cared.notice, "status");
    });
    return el("details", {class: "care"}, el("summary", {}, PHONE_TEXT("Log care for this place")), form);
}

function placeSection(context, place, index) {
    const count = place.trees.length === 1 ? PHONE_TEXT("1 tree") : filledText(PHONE_TEXT("%1 trees"), String(place.trees.length));
    return el("section", {class: "place"},
        el("h2", {}, place.name),
        el("p", {class: "quiet"}, [place.kindLabel, count].filter(Boolean).join(" · ")),
        el("ul", {class: "trees"}, place.trees.map(treeItem)),
        placeCareForm(context, place, index));
}

function showPlaces(context, places) {
    showPage(PHONE_TEXT("Places"), "places", places.length
        ? places.map((place, index) => placeSection(context, place, index))
        : el("p", {class: "quiet"}, PHONE_TEXT("No tree has a place yet: give them their places on the Garden tab of Talvane on the computer.")));
}

// ---------------------------------------------------------------- Due

function loadDue() {
    return api("/api/due");
}

function showDue(context, due) {
    const calendar = /^webcal:\/\//.test(context.session.calendar) ? context.session.calendar : null;
    const tasks = due.tasks.map(task => taskItem(context, {
        title: task.title, link: treeAddress(task.tree), due: task.due, repeat: task.repeat, overdue: task.overdue,
        task: task.task}, due.today));
    showPage(PHONE_TEXT("Due"), "due", [
        el("p", {class: "quiet"}, due.summary),
        tasks.length ? el("ul", {class: "tasks"}, tasks) : null,
        el("h2", {}, PHONE_TEXT("Calendar")),
        el("p", {}, PHONE_TEXT("A calendar that subscribes stays up to date while the collection is shared.")),
        el("p", {}, el("a", {class: "button", href: calendar}, PHONE_TEXT("Subscribe to the care calendar")))]);
}

// ---------------------------------------------------------------- Which page

const PAGES = [
    {path: /^\/trees$/, nav: "trees", load: loadTrees, show: showTrees},
    {path: /^\/places$/, nav: "places", load: loadPlaces, show: showPlaces},
    {path: /^\/tree\/([a-z0-9-]{1,64})$/, nav: "", load: loadTree, show: showTree},
    {path: /^\/tree\/([a-z0-9-]{1,64})\/log$/, nav: "", load: loadTree, show: showLogCare},
    {path: /^\/due$/, nav: "due", load: loadDue, show: showDue},
];

async function start() {
    const page = PAGES.find(candidate => candidate.path.test(location.pathname));
    if (!page) {
        location.replace("/trees");
        return;
    }
    const ref = location.pathname.match(page.path)[1];
    // The page's own data is asked for with the session and the words, not after them.
    const [session, words, data] = await Promise.allSettled([api("/api/session"), api("/api/words"), page.load(ref)]);
    if (words.status === "fulfilled") {
        catalogue = new Map(Object.entries(words.value.texts ?? {}));
        document.documentElement.lang = words.value.language || "en";
    }
    if (session.status === "fulfilled" && session.value.language)
        document.documentElement.lang = session.value.language;
    const failed = [session, words, data].find(settled => settled.status === "rejected");
    if (failed) {
        showProblem(failed.reason, page.nav);
        return;
    }
    const context = {session: session.value, words: words.value};
    context.reload = async () => page.show(context, await page.load(ref));
    try {
        page.show(context, data.value);
        showOutcome();
    } catch (error) {
        showProblem(error, page.nav);
    }
}

start();
// A page the browser kept and shows again on going back is made again from the
// collection as it is now, with its buttons ready.
window.addEventListener("pageshow", event => {
    if (event.persisted)
        start();
});
