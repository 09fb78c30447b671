// The web practice pages: the grade forms of RAPOR Online (Isian and Pilihan), e-Rapor
// and Dapodik as a teacher meets them in a browser, answering Tamvera's keys the way the
// practice window TamveraLatihan.exe does. Plain script, no build step: it runs from a
// file:// address as well as from a server.
//
// Query parameters: baris, kolom, mode (isian | pilihan, RAPOR Online only), tunda (ms the
// page stays busy after each stored value; keys typed meanwhile are lost, as on a slow
// school server), fokus (ms after a grade field gains the focus during which the
// characters typed into it are lost), both N or a range MIN-MAX drawn from afresh each
// time with the seed benih, enter=buka (ENTER on a choice list does what the browser does with it:
// Chromium opens the list) and lapor (an address that receives the page's state as JSON
// after every change; the test server's /lapor), bentuk (how the fields show a stored
// value: predikat lists "A - Sangat Baik" ... "D - Kurang" in the choice fields, desimal
// shows a stored number with two decimals after a comma, kapital upper-cases as it is
// typed; biasa, the default, keeps what was typed).
'use strict';

(function () {
  const HALAMAN = document.body.dataset.halaman; // rapor-online | e-rapor | dapodik
  const NAMA = { 'rapor-online': 'RAPOR Online', 'e-rapor': 'e-Rapor', dapodik: 'Aplikasi Dapodik' }[HALAMAN];
  const $ = (id) => document.getElementById(id);

  // --- Options ----------------------------------------------------------------------

  function readOptions() {
    const query = new URLSearchParams(location.search);
    const problems = [];
    const options = {
      baris: wholeNumber(query, 'baris', 40, 1, 10000, problems),
      kolom: wholeNumber(query, 'kolom', 10, 1, 200, problems),
      tunda: lag(query, 'tunda', problems),
      fokus: lag(query, 'fokus', problems),
      benih: wholeNumber(query, 'benih', 1, 0, 4294967295, problems),
      mode: HALAMAN === 'rapor-online' ? 'pilihan' : 'isian',
      tolak: refusedField(query, problems),
      enterBuka: false,
      lapor: '',
      bentuk: 'biasa',
    };
    const bentuk = query.has('bentuk') ? query.get('bentuk') : 'biasa';
    const typedForm = bentuk === 'desimal' || bentuk === 'kapital';
    if (!['biasa', 'predikat', 'desimal', 'kapital'].includes(bentuk)) {
      problems.push(`Bentuk "${bentuk}" tidak dikenal (biasa, predikat, desimal atau kapital); nilai ditampilkan seperti diketik.`);
    } else {
      options.bentuk = bentuk;
      // Two decimals and upper case need typing: RAPOR Online then opens on fill-in fields.
      if (typedForm && HALAMAN === 'rapor-online' && !query.has('mode')) options.mode = 'isian';
    }
    if (query.has('enter')) {
      if (query.get('enter') === 'buka') options.enterBuka = true;
      else problems.push(`Nilai enter "${query.get('enter')}" tidak dikenal (buka); ENTER tidak membuka daftar.`);
    }
    if (query.has('mode')) {
      const mode = query.get('mode');
      if (mode !== 'isian' && mode !== 'pilihan') {
        problems.push(`Mode "${mode}" tidak dikenal (isian atau pilihan); dipakai ${options.mode}.`);
      } else if (mode === 'pilihan' && HALAMAN !== 'rapor-online') {
        problems.push(`Mode pilihan hanya ada di RAPOR Online; ${NAMA} memakai isian.`);
      } else {
        options.mode = mode;
      }
    }
    if (options.bentuk === 'predikat' && options.mode !== 'pilihan') {
      problems.push('Bentuk predikat hanya ada di RAPOR Online mode pilihan; nilai ditampilkan seperti diketik.');
      options.bentuk = 'biasa';
    } else if (typedForm && options.mode === 'pilihan') {
      problems.push(`Bentuk ${bentuk} hanya untuk kolom yang diketik (mode isian), bukan mode pilihan; nilai ditampilkan seperti diketik.`);
      options.bentuk = 'biasa';
    }
    if (query.has('lapor')) {
      try {
        options.lapor = new URL(query.get('lapor'), location.href).href;
      } catch (e) {
        problems.push(`Alamat lapor "${query.get('lapor')}" tidak sah; keadaan halaman tidak dikirim.`);
      }
    }
    return { options, problems };
  }

  // tolak=R,K: the field of row R, column K (from 1) never takes a value: the keys of
  // characters typed into it are dropped, as by a field that rejects every input.
  function refusedField(query, problems) {
    if (!query.has('tolak')) return '';
    const match = /^\s*(\d+)\s*,\s*(\d+)\s*$/.exec(query.get('tolak'));
    if (match && Number(match[1]) >= 1 && Number(match[2]) >= 1) return `r${Number(match[1])}k${Number(match[2])}`;
    problems.push(`Nilai tolak "${query.get('tolak')}" tidak sah (baris,kolom, misalnya 2,3); tidak ada kolom yang menolak.`);
    return '';
  }

  function wholeNumber(query, name, fallback, min, max, problems) {
    if (!query.has(name)) return fallback;
    const text = query.get(name).trim();
    const value = /^\d+$/.test(text) ? Number(text) : NaN;
    if (value >= min && value <= max) return value;
    problems.push(`Nilai ${name} "${query.get(name)}" tidak sah (bilangan bulat ${min} sampai ${max}); dipakai ${fallback}.`);
    return fallback;
  }

  // N or MIN-MAX milliseconds, 0 to 60000: a delay that is always N long, or whose every
  // length is drawn from the range.
  function lag(query, name, problems) {
    if (!query.has(name)) return { min: 0, max: 0 };
    const match = /^\s*(\d+)\s*(?:-\s*(\d+)\s*)?$/.exec(query.get(name));
    const min = match ? Number(match[1]) : NaN;
    const max = match && match[2] !== undefined ? Number(match[2]) : min;
    if (min >= 0 && min <= max && max <= 60000) return { min, max };
    problems.push(`Nilai ${name} "${query.get(name)}" tidak sah (milidetik 0 sampai 60000, atau rentang MIN-MAKS, misalnya 0-1000); dipakai 0.`);
    return { min: 0, max: 0 };
  }

  // A stored value as the field shows it. desimal: a number with "." or "," as its decimal
  // separator, rounded half up to two decimals after a comma ("8.5" → "8,50"); other text
  // stays as it is. The practice window shows values the same way.
  function shownValue(text) {
    if (options.bentuk !== 'desimal') return text;
    const match = /^(-?)(\d+)(?:[.,](\d+))?$/.exec(text);
    if (!match) return text;
    const fraction = match[3] || '';
    let cents = BigInt(match[2] + (fraction + '00').slice(0, 2));
    if (fraction.length > 2 && fraction[2] >= '5') cents += 1n;
    const digits = cents.toString().padStart(3, '0');
    return `${match[1]}${digits.slice(0, -2)},${digits.slice(-2)}`;
  }

  // kapital: the text of a field that takes typing is upper-cased as it is typed.
  function upperCaseTyping(input) {
    if (options.bentuk !== 'kapital') return;
    input.addEventListener('input', () => {
      const [start, end] = [input.selectionStart, input.selectionEnd];
      input.value = input.value.toUpperCase();
      input.setSelectionRange(start, end);
    });
  }

  const lagText = (lag) => (lag.min === lag.max ? `${lag.min} ms` : `${lag.min} sampai ${lag.max} ms (diundi setiap kali)`);
  // In the state report: N as a number, as before ranges existed; a range as "MIN-MAX".
  const lagReported = (lag) => (lag.min === lag.max ? lag.min : `${lag.min}-${lag.max}`);

  const { options, problems } = readOptions();
  const nilai = Array.from({ length: options.baris }, () => Array(options.kolom).fill(''));
  const tombol = [];

  // --- State report: the grades and the key log, POSTed in order --------------------
  // One post at a time; changes made meanwhile go out together in the next one, so the
  // server always ends with the latest state.

  const muat = `${Date.now()}-${Math.random().toString(36).slice(2, 8)}`; // names this page load
  let urutan = 0;
  let sending = false;
  let pending = false;

  function report() {
    if (!options.lapor) return;
    pending = true;
    if (!sending) sendState();
  }

  function sendState() {
    pending = false;
    sending = true;
    const state = {
      halaman: HALAMAN, mode: options.mode, baris: options.baris, kolom: options.kolom,
      tunda: lagReported(options.tunda), fokus: lagReported(options.fokus), muat, urutan: ++urutan, nilai, tombol,
    };
    // text/plain keeps it a simple request, so a page opened from a file may post too.
    fetch(options.lapor, { method: 'POST', headers: { 'Content-Type': 'text/plain;charset=UTF-8' }, body: JSON.stringify(state) })
      .then((answer) => {
        if (!answer.ok) throw new Error(`HTTP ${answer.status}`);
        showReportProblem('');
      })
      .catch((e) => showReportProblem(`Keadaan halaman tidak terkirim ke ${options.lapor}: ${e.message}`))
      .finally(() => {
        sending = false;
        if (pending) sendState();
      });
  }

  function showReportProblem(text) {
    $('laporan').hidden = !text;
    $('laporan').textContent = text;
  }

  // --- Slow mode and the key log ----------------------------------------------------
  // Every keydown the page sees is logged. The field whose value was just stored stays
  // busy for a while, as while a slow server saves it: a key typed into that field
  // meanwhile is dropped before any handler or the browser's default action sees it;
  // keys for other fields land. Busy time is counted on the keys' own event times, from
  // the key that stored the value: a browser that handles a burst of keys late then
  // neither loses more nor fewer keys than the typist typed within the delay.

  // The same rule for the focus: for a while after a grade field gains the focus (or a
  // choice field's ENTER drops its list) the characters typed into it are lost;
  // navigation keys and ENTER still act, as in the practice window (--tunda-fokus).

  let busyUntil = -Infinity;
  let busyField = null;
  let busyTimer = 0;
  let deafUntil = -Infinity;
  let deafField = null;
  let keyInHand = null; // the event time of the key being handled, from keydown to keyup

  // The field a focus name belongs to: a choice field's list counts as its field.
  const fieldOf = (name) => name.replace(/p$/, '');

  // mulberry32: each delay draws its lengths from a stream of its own, the same for the
  // same seed in every browser.
  function lengths(seed) {
    let state = seed >>> 0;
    return (lag) => {
      state = (state + 0x6D2B79F5) >>> 0;
      let z = state;
      z = Math.imul(z ^ (z >>> 15), z | 1);
      z ^= z + Math.imul(z ^ (z >>> 7), z | 61);
      const unit = ((z ^ (z >>> 14)) >>> 0) / 4294967296;
      return lag.min + Math.floor(unit * (lag.max - lag.min + 1));
    };
  }
  const busyLength = lengths(options.benih);
  const deafLength = lengths(options.benih ^ 0x9E3779B9);
  const keyTime = () => (keyInHand === null ? performance.now() : keyInHand);

  function startBusy(field) {
    if (!options.tunda.max) return;
    const length = busyLength(options.tunda);
    busyField = field;
    busyUntil = keyTime() + length;
    $('sibuk').hidden = false;
    clearTimeout(busyTimer);
    busyTimer = setTimeout(() => { $('sibuk').hidden = true; }, length);
  }

  function startDeaf(field) {
    if (!options.fokus.max) return;
    deafField = field;
    deafUntil = keyTime() + deafLength(options.fokus);
  }

  window.addEventListener('keydown', (event) => {
    const field = fieldOf(focusName());
    const character = event.key.length === 1;
    const lost = (event.timeStamp < busyUntil && field === busyField) ||
      (character && event.timeStamp < deafUntil && field === deafField) ||
      (character && field === options.tolak);
    const entry = { key: event.key, code: event.code, di: focusName(), waktu: Math.round(event.timeStamp) };
    if (lost) entry.hilang = true;
    tombol.push(entry);
    keyInHand = event.timeStamp;
    if (lost) {
      event.preventDefault();
      event.stopImmediatePropagation();
    }
    report();
  }, true);
  window.addEventListener('keyup', () => { keyInHand = null; }, true);

  // Where the keyboard focus is, for the key log: a field's id, "awal", "akhir", or the
  // Dapodik grid's selected cell.
  let gridCellName = null;
  function focusName() {
    if (gridCellName) return gridCellName();
    const focused = document.activeElement;
    return focused && focused.id ? focused.id : 'halaman';
  }

  // --- Shared display ---------------------------------------------------------------

  const fieldName = (r, c) => `r${r + 1}k${c + 1}`;
  const placeName = (r, c) => `Siswa ${r + 1}, Mapel ${c + 1}`;
  const shown = (text) => (text === '' ? '(kosong)' : `"${text}"`);

  let filled = 0;

  function changed(r, c, text) {
    filled += (text !== '') - (nilai[r][c] !== '');
    nilai[r][c] = text;
    showSummary();
    report();
  }

  function showSummary() {
    $('ringkasan').textContent = `Terisi ${filled} dari ${options.baris * options.kolom} kolom nilai.`;
  }

  function showFocus(text) { $('fokus').textContent = text; }

  function headerRow(titles) {
    const tr = document.createElement('tr');
    for (const title of titles) {
      const th = document.createElement('th');
      th.textContent = title;
      tr.appendChild(th);
    }
    return tr;
  }

  function cell(row, text, className) {
    const td = document.createElement(className === 'no' ? 'th' : 'td');
    if (text !== undefined) td.textContent = text;
    if (className) td.className = className;
    row.appendChild(td);
    return td;
  }

  function classTable() {
    const table = document.createElement('table');
    const titles = ['No', 'Nama Siswa'];
    for (let c = 0; c < options.kolom; c++) titles.push(`Mapel ${c + 1}`);
    table.createTHead().appendChild(headerRow(titles));
    table.appendChild(document.createElement('tbody'));
    $('formulir').appendChild(table);
    return table.tBodies[0];
  }

  function pupilRow(body, r) {
    const tr = document.createElement('tr');
    cell(tr, String(r + 1), 'no');
    cell(tr, `Siswa ${r + 1}`, 'nama');
    body.appendChild(tr);
    return tr;
  }

  // --- Fill-in: RAPOR Online Isian and e-Rapor --------------------------------------
  // Text inputs in TAB order; a field reached by TAB has its text selected, so typing
  // replaces it. A field left with a new value is stored (and, on a slow page, stays busy).

  function buildFillIn() {
    const body = classTable();
    for (let r = 0; r < options.baris; r++) {
      const tr = pupilRow(body, r);
      for (let c = 0; c < options.kolom; c++) {
        const input = document.createElement('input');
        input.type = 'text';
        input.id = fieldName(r, c);
        input.autocomplete = 'off';
        input.spellcheck = false;
        input.setAttribute('aria-label', placeName(r, c));
        upperCaseTyping(input);
        input.addEventListener('input', () => changed(r, c, input.value));
        input.addEventListener('change', () => {
          input.value = shownValue(input.value);
          changed(r, c, input.value);
          startBusy(input.id);
        });
        input.addEventListener('focus', () => {
          startDeaf(input.id);
          showFocus(`${placeName(r, c)}: ${shown(input.value)}`);
        });
        cell(tr).appendChild(input);
      }
    }
  }

  // --- Choice: RAPOR Online Pilihan -------------------------------------------------
  // Each field is an "Ubah" button and a list (100 down to 1 after a placeholder) that
  // stays disabled, so out of the TAB order, until ENTER on the button opens it. Then TAB
  // reaches the list; ENTER there keeps it closed, its type-ahead picks the value (the
  // browser's own, changing the value at each key) and ENTER stores it; TAB leaves. A
  // choice made with the mouse in the opened list is stored at its change.

  function buildChoice() {
    const body = classTable();
    for (let r = 0; r < options.baris; r++) {
      const tr = pupilRow(body, r);
      for (let c = 0; c < options.kolom; c++) choiceField(cell(tr, undefined, 'pilihan'), r, c);
    }
  }

  function choiceField(td, r, c) {
    const button = document.createElement('button');
    button.type = 'button';
    button.id = fieldName(r, c);
    button.textContent = 'Ubah';
    button.setAttribute('aria-label', `Ubah nilai ${placeName(r, c)}`);
    const list = document.createElement('select');
    list.id = `${fieldName(r, c)}p`;
    list.disabled = true;
    list.add(new Option('\u2014', ''));
    td.append(button, list);

    let before = '';
    let typedOnClosedList = false;

    button.addEventListener('focus', () => {
      startDeaf(button.id);
      showFocus(`${placeName(r, c)}: ${shown(list.value)}. ENTER membuka daftar ${listName}.`);
    });
    button.addEventListener('click', () => {
      if (!list.disabled) return;
      fillGrades(list);
      before = list.value;
      list.value = '';
      typedOnClosedList = false;
      list.disabled = false;
      td.classList.add('terbuka');
      showFocus(`${placeName(r, c)}: daftar terbuka, TAB menuju daftar nilai.`);
    });
    list.addEventListener('focus', () => showFocus(`${placeName(r, c)}: ENTER membuka daftar, ketik ${options.bentuk === 'predikat' ? 'huruf' : 'angka'} untuk memilih, ENTER untuk memakai.`));
    list.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        // The list stays closed, as in Firefox and in Chrome on Windows: Chromium on
        // Linux would open it here, a moment later, and on a busy computer the first
        // type-ahead keys then fall on the closed list and the rest into the open one.
        // With enter=buka it opens, and the keys that follow go to the open list.
        if (!options.enterBuka) event.preventDefault();
        if (list.value !== '') store();
        else startDeaf(button.id); // the ENTER that drops the list: the type-ahead comes next
      } else if (event.key === 'Escape') {
        list.value = before;
        changed(r, c, list.value);
      } else if (event.key !== 'Tab' && event.key !== 'Shift') {
        // Type-ahead, HOME, END and the arrows move the choice on the closed list; ENTER
        // stores it.
        typedOnClosedList = true;
      }
    });
    list.addEventListener('input', () => changed(r, c, list.value));
    list.addEventListener('change', () => {
      changed(r, c, list.value);
      if (!typedOnClosedList) store();
    });
    list.addEventListener('blur', () => {
      // Leaving without a choice keeps the field's previous value.
      if (list.value === '' && before !== '') {
        list.value = before;
        changed(r, c, list.value);
      }
      list.disabled = true;
      td.classList.remove('terbuka');
    });

    function store() {
      changed(r, c, list.value);
      startBusy(button.id);
      showFocus(`${placeName(r, c)}: tersimpan ${shown(list.value)}. TAB menuju kolom berikutnya.`);
    }
  }

  // The entries are added when a list is first opened, to keep large classes light.
  const PREDIKAT = ['A - Sangat Baik', 'B - Baik', 'C - Cukup', 'D - Kurang'];
  const listName = options.bentuk === 'predikat' ? 'predikat' : 'nilai';
  function fillGrades(list) {
    if (list.options.length > 1) return;
    if (options.bentuk === 'predikat') {
      for (const entry of PREDIKAT) list.add(new Option(entry));
      return;
    }
    for (let n = 100; n >= 1; n--) list.add(new Option(String(n)));
  }

  // --- Dapodik: an editable grid ----------------------------------------------------
  // A screen reader sees it as a grid whose selected cell has the focus (the grid's
  // active descendant), as in the real application: grade cells are cells that read as
  // their text, "No" and "Nama" the rows' headers.

  function gridRoles(grid, cells) {
    grid.setAttribute('role', 'grid');
    const table = grid.querySelector('table');
    table.setAttribute('role', 'presentation');
    for (const section of [table.tHead, table.tBodies[0]]) section.setAttribute('role', 'rowgroup');
    for (const tr of table.rows) tr.setAttribute('role', 'row');
    for (const th of table.tHead.rows[0].cells) th.setAttribute('role', 'columnheader');
    cells.forEach((row, r) => row.forEach((td, c) => {
      td.id = `sel-${r + 1}-${c}`;
      td.setAttribute('role', c < 2 ? 'rowheader' : 'gridcell');
    }));
  }
  // The grid itself holds the focus; one cell is selected, starting on row 1's "No".
  // RIGHT / LEFT (and TAB / Shift+TAB) move one cell and wrap between rows, UP / DOWN
  // change row, ENTER on a grade cell edits it (typing replaces its text), ENTER or TAB
  // stores the edit and ESC cancels it. "No" and "Nama" cannot be edited.

  function buildGrid() {
    const grid = $('formulir');
    const body = classTable();
    const cells = [];
    for (let r = 0; r < options.baris; r++) {
      const tr = pupilRow(body, r);
      const row = [tr.children[0], tr.children[1]];
      for (let c = 0; c < options.kolom; c++) row.push(cell(tr, '', 'nilai'));
      cells.push(row);
    }
    gridRoles(grid, cells);
    const columns = options.kolom + 2;
    let r = 0;
    let c = 0;
    let editor = null;

    const gradeColumn = () => c - 2;
    const cellName = () => (c === 0 ? `r${r + 1}no` : c === 1 ? `r${r + 1}nama` : fieldName(r, gradeColumn()));
    gridCellName = cellName;

    function select(row, column) {
      cells[r][c].classList.remove('terpilih');
      r = row;
      c = column;
      cells[r][c].classList.add('terpilih');
      grid.setAttribute('aria-activedescendant', cells[r][c].id);
      cells[r][c].scrollIntoView({ block: 'nearest', inline: 'nearest' });
      if (c >= 2) startDeaf(fieldName(r, gradeColumn()));
      describe();
    }

    function describe() {
      const place = `Baris ${r + 1}, kolom ${c < 2 ? ['No', 'Nama'][c] : `Mapel ${gradeColumn() + 1}`}`;
      if (c < 2) showFocus(`${place} (tidak dapat diubah).`);
      else if (editor) showFocus(`${place}: mengubah, ENTER untuk menyimpan.`);
      else showFocus(`${place}: ${shown(nilai[r][gradeColumn()])}. ENTER untuk mengubah.`);
    }

    function right() {
      if (c + 1 < columns) select(r, c + 1);
      else if (r + 1 < options.baris) select(r + 1, 0);
    }

    function left() {
      if (c > 0) select(r, c - 1);
      else if (r > 0) select(r - 1, columns - 1);
    }

    function startEdit() {
      if (c < 2) return;
      editor = document.createElement('input');
      editor.type = 'text';
      editor.autocomplete = 'off';
      editor.spellcheck = false;
      editor.value = nilai[r][gradeColumn()];
      upperCaseTyping(editor);
      cells[r][c].textContent = '';
      cells[r][c].appendChild(editor);
      editor.focus();
      editor.select();
      editor.addEventListener('keydown', editKey);
      editor.addEventListener('blur', () => finishEdit(true));
      describe();
    }

    function editKey(event) {
      if (event.key === 'Enter' || event.key === 'Escape' || event.key === 'Tab') {
        event.preventDefault();
        event.stopPropagation();
        finishEdit(event.key !== 'Escape');
        if (event.key === 'Tab') event.shiftKey ? left() : right();
      }
    }

    function finishEdit(keep) {
      if (!editor) return;
      const text = shownValue(editor.value);
      editor = null;
      grid.focus(); // before the editor goes, so the focus never falls out of the grid
      if (keep) changed(r, gradeColumn(), text);
      cells[r][c].textContent = nilai[r][gradeColumn()];
      if (keep) startBusy(fieldName(r, gradeColumn()));
      describe();
    }

    grid.addEventListener('keydown', (event) => {
      if (event.target !== grid) return;
      const moves = {
        ArrowRight: right, ArrowLeft: left,
        ArrowUp: () => r > 0 && select(r - 1, c),
        ArrowDown: () => r + 1 < options.baris && select(r + 1, c),
        Tab: () => (event.shiftKey ? left() : right()),
        Enter: startEdit,
      };
      const move = moves[event.key];
      if (!move) return;
      event.preventDefault();
      move();
    });
    grid.addEventListener('click', (event) => {
      const td = event.target.closest('td, th');
      if (editor || !td || td.parentElement.parentElement !== body) return;
      select(td.parentElement.sectionRowIndex, td.cellIndex);
    });
    grid.addEventListener('focus', describe);
    select(0, 0);
    return grid;
  }

  // --- Page start ---------------------------------------------------------------------

  function buildPage() {
    const fields = HALAMAN === 'dapodik'
      ? '<div id="formulir" tabindex="0" aria-label="Tabel nilai"></div>'
      // The scrolling table is no TAB stop (Firefox would make it one): TAB goes from
      // "Awal" straight to the first field.
      : '<button type="button" id="awal">Awal</button><div id="formulir" tabindex="-1"></div><button type="button" id="akhir">Akhir</button>';
    document.body.insertAdjacentHTML('afterbegin', `
      <header><h1>${NAMA} <span>Latihan</span></h1>
        <p>Halaman latihan Tamvera: formulir nilai seperti di ${NAMA}. Tidak ada yang dikirim ke sekolah.</p></header>
      <main>
        <section id="petunjuk"></section>
        <section id="pesan" hidden></section>
        <section id="keadaan"><span id="ringkasan"></span>
          <span id="sibuk" hidden>Menyimpan ke server&hellip; tombol yang diketik ke kolom itu sekarang hilang.</span>
          <span id="fokus"></span></section>
        ${fields}
        <p id="laporan" hidden></p>
      </main>`);
  }

  function showInstructions() {
    const what = HALAMAN === 'dapodik'
      ? 'Pilih sel <b>No</b> baris 1 (sudah terpilih), lalu di Tamvera pilih <b>Dapodik</b>.'
      : `Fokus sudah di tombol <b>Awal</b>; di Tamvera pilih <b>${HALAMAN === 'e-rapor' ? 'E-Rapor' : 'Tamvera'}</b> dan entri <b>${options.mode === 'pilihan' ? 'Pilihan' : 'Isian'}</b>.`;
    $('petunjuk').innerHTML = `${what} Tempel daftar nilai (${options.baris} baris, ${options.kolom} nilai per baris) di Tamvera, tekan <b>Mulai</b>, lalu jangan sentuh mouse/keyboard.` +
      ({ predikat: ' Daftar pilihan berisi predikat A sampai D: tempel hurufnya saja (A, B, C, D).',
        desimal: ' Kolom menampilkan nilai dengan dua desimal setelah disimpan (85 menjadi 85,00).',
        kapital: ' Kolom mengubah setiap huruf yang diketik menjadi huruf kapital.' }[options.bentuk] || '') +
      (options.tunda.max ? ` Mode lambat: setiap kolom sibuk ${lagText(options.tunda)} setelah nilainya tersimpan.` : '') +
      (options.fokus.max ? ` Setelah kolom nilai mendapat fokus, huruf dan angka yang diketik ke kolom itu selama ${lagText(options.fokus)} hilang.` : '') +
      (options.tunda.min !== options.tunda.max || options.fokus.min !== options.fokus.max ? ` Benih undian: ${options.benih}.` : '');
    if (problems.length) {
      $('pesan').hidden = false;
      $('pesan').textContent = problems.join(' ');
    }
  }

  buildPage();
  showInstructions();
  if (HALAMAN === 'dapodik') {
    buildGrid().focus();
  } else {
    if (options.mode === 'pilihan') buildChoice();
    else buildFillIn();
    $('awal').addEventListener('focus', () => showFocus('Fokus di Awal: TAB pertama menuju Siswa 1, Mapel 1.'));
    $('akhir').addEventListener('focus', () => showFocus('Fokus di Akhir: semua kolom sudah dilewati.'));
    $('awal').focus();
  }
  showSummary();
  report();
})();
