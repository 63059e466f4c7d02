'use strict';
// The page shows the quiz that the module (the player's play model, compiled
// to WebAssembly) holds, and hands it what the pupil does. Every decision,
// verdict, reveal, score, code, which field Tab reaches and what F1 fills, is
// the module's; this script builds the cells, writes what the module says
// into them (as text, never as markup) and keeps the answers.
(function () {
  const data = JSON.parse(document.getElementById('quiz-data').textContent);

  function bytesOf(base64) {
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function cssColour(rgb) {
    return '#' + (rgb & 0xffffff).toString(16).padStart(6, '0');
  }

  // The module's calls, with texts in and out as JavaScript strings.
  function gameOf(exports) {
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    function put(bytes) {
      const at = exports.web_input(bytes.length);
      if (at === 0) return false;
      new Uint8Array(exports.memory.buffer, at, bytes.length).set(bytes);
      return true;
    }
    function putText(text) {
      const bytes = encoder.encode(text.normalize('NFC'));
      return put(bytes) ? bytes.length : 0;
    }
    function text(at) {
      const memory = new Uint8Array(exports.memory.buffer);
      let end = at;
      while (memory[end] !== 0) ++end;
      return decoder.decode(memory.subarray(at, end));
    }
    return {
      load(content, codes) {
        const both = new Uint8Array(content.length + codes.length);
        both.set(content);
        both.set(codes, content.length);
        if (!put(both)) return exports.web_load(0, 0);
        return exports.web_load(content.length, codes.length);
      },
      text(name, ...numbers) { return text(exports['web_' + name](...numbers)); },
      number(name, ...numbers) { return exports['web_' + name](...numbers); },
      type(k, typed) { exports.web_type(k, putText(typed)); },
      judge(k, typed) { exports.web_judge(k, putText(typed)); },
      tryEverywhere(k, typed) { exports.web_try_everywhere(k, putText(typed)); },
      restore(answers) { exports.web_restore(putText(answers)); },
      clear() { exports.web_clear(); },
      // The answers packed as a learning platform keeps them, and the
      // platform's copy merged with the browser's (see the module's kept.h).
      packed(version, confirmed, limit) { return text(exports.web_pack(version, confirmed, limit)); },
      restoreKept(platform, platformRead, browser) {
        const platformBytes = encoder.encode(platform);
        const browserBytes = encoder.encode(browser);
        const both = new Uint8Array(platformBytes.length + browserBytes.length);
        both.set(platformBytes);
        both.set(browserBytes, platformBytes.length);
        let version;
        if (put(both)) version = exports.web_restore_kept(platformBytes.length, browserBytes.length, platformRead ? 1 : 0);
        // A platform's text longer than any of ours is none of ours.
        else if (put(browserBytes)) version = exports.web_restore_kept(0, browserBytes.length, platformRead ? 1 : 0);
        else version = exports.web_restore_kept(0, 0, 0);
        return { version, confirmed: exports.web_kept_confirmed() };
      },
    };
  }

  function readStored(key) {
    try { return window.localStorage.getItem(key); } catch (e) { return null; }
  }
  function writeStored(key, text) {
    try { window.localStorage.setItem(key, text); } catch (e) { /* private browsing: kept in the page */ }
  }

  // Where the answers are kept between visits: the page calls load() once
  // as it opens (it restores the game), save() after every judgement and as
  // the page is hidden, clear() once the game is cleared and leave() as the
  // page goes. The browser's storage, for this quiz's content only.
  function browserStorage(game, key) {
    return {
      load() {
        const kept = readStored(key);
        if (kept) game.restore(kept);
      },
      save() { writeStored(key, game.text('answers')); },
      clear() {
        try { window.localStorage.removeItem(key); } catch (e) { /* nothing was kept */ }
      },
      leave() {},
    };
  }

  // The SCORM 1.2 run-time of the learning platform that opened the page:
  // its API object in this window or one of its parents, seven at most,
  // else in the window that opened this one or one of that one's parents.
  // A window of another origin hides its API and is passed over.
  function findPlatform() {
    function search(start) {
      let win = start;
      for (let depth = 0; win && depth <= 7; ++depth) {
        try {
          const api = win.API;
          if (api && typeof api.LMSInitialize === 'function') return api;
        } catch (e) { /* another origin */ }
        if (win.parent === win) break;
        win = win.parent;
      }
      return null;
    }
    let opener = null;
    try { opener = window.opener; } catch (e) { /* none to reach */ }
    return search(window) || (opener ? search(opener) : null);
  }

  // The answers kept by the platform's run-time (api), with a copy in the
  // browser's storage, for this pupil on this quiz, of what the platform
  // refused or had no room for. Every save sends the score of solved
  // questions out of the questions, the status (completed once every
  // question is solved) and the answers packed in the platform's 4,096
  // characters, then commits; a save counts as accepted when every call
  // returned "true" and left no error.
  const SuspendDataLimit = 4096;
  function platformStorage(game, api, quizKey) {
    function call(name, ...values) {
      try {
        return String(api[name](...values)) === 'true' && String(api.LMSGetLastError()) === '0';
      } catch (e) {
        return false;
      }
    }
    // A value the platform holds, or null when it will not tell.
    function value(name) {
      try {
        const held = api.LMSGetValue(name);
        return String(api.LMSGetLastError()) === '0' ? String(held === undefined || held === null ? '' : held) : null;
      } catch (e) {
        return null;
      }
    }
    let open = call('LMSInitialize', '');
    // Pupils who share a computer never see each other's answers.
    const key = quizKey + '@' + (open ? value('cmi.core.student_id') || '' : '');
    let marks = { version: 0, confirmed: 0 };
    let accepted = null;  // the answers of the last save the platform accepted

    // A save of the answers the platform accepted last changes nothing: as
    // the page goes it is hidden too, and the page judges a field again as
    // it is left.
    function save() {
      const answers = game.packed(0, -1, 0);
      if (answers === accepted) return;
      marks.version += 1;
      const questions = game.number('question_count');
      const values = [
        ['cmi.core.score.min', '0'],
        ['cmi.core.score.max', String(questions)],
        ['cmi.core.score.raw', String(game.number('score'))],
        ['cmi.core.lesson_status', game.number('solved') === 1 ? 'completed' : 'incomplete'],
        ['cmi.core.exit', 'suspend'],
        ['cmi.suspend_data', game.packed(marks.version, -1, SuspendDataLimit)],
      ];
      let taken = open;
      if (open) {
        for (const [name, text] of values) taken = call('LMSSetValue', name, text) && taken;
        taken = call('LMSCommit', '') && taken;
      }
      if (taken) {
        marks.confirmed = marks.version;
        accepted = answers;
      }
      writeStored(key, game.packed(marks.version, marks.confirmed, 0));
    }

    return {
      load() {
        const platform = open ? value('cmi.suspend_data') : null;
        marks = game.restoreKept(platform === null ? '' : platform, platform !== null, readStored(key) || '');
        // The platform has the answers and the score as they come back.
        save();
      },
      save,
      clear: save,
      leave() {
        if (open) call('LMSFinish', '');
        open = false;
      },
    };
  }

  const MediaTypes = { picture: 'image/', sound: 'audio/', video: 'video/' };

  function start(game) {
    const board = document.getElementById('board');
    const style = game.number('style');
    const format = game.number('format');
    const count = game.number('question_count');
    const fieldCount = game.number('field_count');
    const parts = {
      picture: game.number('has_pictures') === 1,
      reveal: game.number('has_reveals') === 1,
      buttons: game.number('has_buttons') === 1,
      video: game.number('has_videos') === 1,
      rowCaptions: game.number('has_row_captions') === 1,
      captionsInFields: game.number('captions_in_fields') === 1,
    };
    const rowCaptions = [game.text('first_row_caption'), game.text('second_row_caption')];
    // The media come in a block after the script, which the browser may
    // still be reading when the fields already take answers.
    let media = [];
    let answerPictures = [];
    let mediaRead = false;
    const fields = [];    // field k at k - 1
    const verdicts = [];
    const reveals = [];   // question i at i - 1
    const pictures = [];
    const videos = [];
    const platform = data.platform === 'scorm12' ? findPlatform() : null;
    const storage = platform ? platformStorage(game, platform, game.text('storage_key'))
      : browserStorage(game, game.text('storage_key'));

    const title = game.text('title');
    document.title = title || 'Quiz';
    document.getElementById('title').textContent = title;
    document.getElementById('explanation').textContent = game.text('explanation');
    document.getElementById('creator').textContent = game.text('creator');
    const background = cssColour(game.number('back_colour'));
    board.style.backgroundColor = background;
    document.body.style.backgroundColor = background;
    board.classList.add('style-' + style, 'format-' + format);
    const messages = game.text('messages');
    if (messages) showProblem(messages);
    if (parts.buttons) {
      document.getElementById('keys').textContent +=
        style === 2 ? ' · F2 : écouter le son · F3 : l’arrêter' : ' · F2 : voir la vidéo · F3 : arrêter les vidéos';
    }

    function showProblem(text) {
      const problem = document.getElementById('problem');
      problem.textContent = text;
      problem.hidden = false;
    }

    // A picture's data URL, or a blob's URL for a sound or video, made once.
    function mediaUrl(item, kind) {
      if (!item || typeof item.type !== 'string' || !item.type.startsWith(MediaTypes[kind])) return '';
      if (!item.url) {
        item.url = kind === 'picture' ? 'data:' + item.type + ';base64,' + item.data
          : URL.createObjectURL(new Blob([bytesOf(item.data)], { type: item.type }));
      }
      return item.url;
    }

    // One sound at a time, from its start; a stop stops it whichever
    // question started it.
    const sound = element('audio');
    sound.id = 'sound';
    sound.hidden = true;
    document.body.append(sound);
    function playSound(i) {
      stopSound();
      const url = mediaUrl(media[i - 1], 'sound');
      if (!url) {
        showProblem('Impossible de localiser le fichier audio.');
        return;
      }
      sound.src = url;
      sound.play().catch(function () { /* the browser refused to play before a gesture */ });
    }
    function stopSound() {
      sound.pause();
      if (sound.src) sound.currentTime = 0;
    }
    // Videos play side by side; a stop stops them all.
    function playVideo(i) {
      const video = videos[i - 1];
      const url = mediaUrl(media[i - 1], 'video');
      if (!video || !url) {
        showProblem('Impossible de localiser le fichier vidéo.');
        return;
      }
      if (video.src !== url) video.src = url;
      video.play().catch(function () { /* the browser refused to play before a gesture */ });
    }
    function stopVideos() {
      for (const video of videos) {
        if (!video.src) continue;
        video.pause();
        video.currentTime = 0;
      }
    }
    function play(i) {
      if (!mediaRead) return;
      if (style === 2) playSound(i);
      else if (style === 3) playVideo(i);
    }
    function stop() { if (style === 2) stopSound(); else if (style === 3) stopVideos(); }

    function fieldLabel(i, j, caption) {
      let label = 'Question ' + i;
      if (caption) label += ' : ' + caption;
      if (format === 2) {
        label += j === 1 ? ', première réponse' : ', deuxième réponse';
        if (rowCaptions[j - 1]) label += ' (' + rowCaptions[j - 1] + ')';
      }
      return label;
    }

    // The answer fields of question i, each with its verdict beside or below.
    function answerParts(i, caption) {
      const made = [];
      for (let j = 1; j <= format; ++j) {
        const k = format * (i - 1) + j;
        const holder = element('div', format === 2 ? 'pair' : 'one');
        const label = element('label', 'sr', fieldLabel(i, j, caption));
        label.htmlFor = 'field-' + k;
        const field = element('input', 'answer');
        field.type = 'text';
        field.id = 'field-' + k;
        field.autocomplete = 'off';
        field.spellcheck = false;
        field.setAttribute('autocapitalize', 'off');
        field.setAttribute('autocorrect', 'off');
        field.maxLength = 259;
        field.setAttribute('aria-describedby', 'verdict-' + k);
        if (parts.captionsInFields && rowCaptions[j - 1]) field.placeholder = rowCaptions[j - 1];
        const verdict = element('span', 'verdict', '?');
        verdict.id = 'verdict-' + k;
        verdict.setAttribute('aria-live', 'polite');
        holder.append(label, field, verdict);
        fields[k - 1] = field;
        verdicts[k - 1] = verdict;
        listen(field, k, i);
        made.push(holder);
      }
      return made;
    }

    function mediaButtons(i) {
      const buttons = element('div', 'media');
      const playButton = element('button', 'play', '\u25B6');
      const stopButton = element('button', 'stop', '\u25A0');
      playButton.type = stopButton.type = 'button';
      const what = style === 2 ? 'le son' : 'la vidéo';
      playButton.setAttribute('aria-label', 'Lire ' + what + ' de la question ' + i);
      stopButton.setAttribute('aria-label', style === 2 ? 'Arrêter le son' : 'Arrêter les vidéos');
      playButton.addEventListener('click', function () { play(i); });
      stopButton.addEventListener('click', stop);
      buttons.append(playButton, stopButton);
      return buttons;
    }

    function textRow(i) {
      const caption = game.text('caption', i);
      const row = element('div', 'textrow');
      const question = element('div', 'question', caption);
      const answers = element('div', 'answers');
      answers.append(...answerParts(i, caption));
      row.append(element('span', 'number', i + '.'), question, answers);
      return row;
    }

    function gridCell(i) {
      const cell = element('section', 'cell');
      cell.id = 'cell-' + i;
      cell.setAttribute('aria-label', 'Question ' + i);
      if (parts.picture) {
        const frame = element('div', 'picture');
        const image = element('img');
        image.decoding = 'async';
        // Fitted into the square, enlarged or reduced, its shape kept.
        image.addEventListener('load', function () {
          image.classList.toggle('tall', image.naturalHeight > image.naturalWidth);
        });
        frame.append(image);
        pictures[i - 1] = image;
        cell.append(frame);
      }
      if (parts.video) {
        const video = element('video');
        video.preload = 'none';
        video.playsInline = true;
        video.setAttribute('aria-label', 'Vidéo de la question ' + i);
        videos[i - 1] = video;
        cell.append(video);
      }
      cell.append(element('span', 'number', i + '.'));
      if (parts.buttons) cell.append(mediaButtons(i));
      const answers = element('div', 'answers');
      answers.append(...answerParts(i, ''));
      cell.append(answers);
      if (parts.reveal) {
        const reveal = element('div', 'reveal');
        reveal.setAttribute('aria-live', 'polite');
        reveals[i - 1] = reveal;
        cell.append(reveal);
      }
      return cell;
    }

    function buildBoard() {
      if (style === 0) {
        for (let i = 1; i <= count; ++i) board.append(textRow(i));
        return;
      }
      for (let first = 1; first <= count; first += 3) {
        const row = element('div', 'gridrow');
        if (parts.rowCaptions) {
          const captions = element('div', 'rowcaps');
          captions.setAttribute('aria-hidden', 'true');
          captions.append(element('span', '', rowCaptions[0]), element('span', '', rowCaptions[1]));
          row.append(captions);
        }
        for (let i = first; i < first + 3 && i <= count; ++i) row.append(gridCell(i));
        board.append(row);
      }
    }

    // Writes what the module holds into the page, only where it differs.
    function setText(node, text) { if (node && node.textContent !== text) node.textContent = text; }
    function show() {
      for (let k = 1; k <= fieldCount; ++k) {
        const text = game.text('field_text', k);
        if (fields[k - 1].value !== text) fields[k - 1].value = text;
        const verdict = verdicts[k - 1];
        setText(verdict, game.text('verdict', k));
        const colour = game.number('verdict_colour', k);
        verdict.style.backgroundColor = colour < 0 ? '' : cssColour(colour);
      }
      for (let i = 1; i <= count; ++i) {
        setText(reveals[i - 1], game.text('reveal', i));
        const image = pictures[i - 1];
        if (!image) continue;
        // A shown answer picture stays until the answers are cleared.
        const answer = mediaUrl(answerPictures[i - 1], 'picture');
        const which = answer && game.number('answer_picture_shown', i) === 1 ? 'answer' : 'question';
        if (image.dataset.shows === which) continue;
        image.dataset.shows = which;
        const url = which === 'answer' ? answer : mediaUrl(media[i - 1], 'picture');
        if (url) image.src = url;
        else image.removeAttribute('src');
        image.hidden = !url;
        image.parentElement.classList.toggle('empty', !url);
        image.alt = which === 'answer' ? 'Image de la réponse à la question ' + i : 'Image de la question ' + i;
      }
      setText(document.getElementById('score'), game.text('score_text'));
      setText(document.getElementById('code'), game.text('code_line'));
    }

    function keep() { storage.save(); }

    function judge(k) {
      game.judge(k, fields[k - 1].value);
      show();
      keep();
    }

    // A field reached from the keyboard has its first 25 characters
    // selected, so that typing replaces them.
    function reach(k) {
      const field = fields[k - 1];
      field.focus({ preventScroll: true });
      // Back to the first field, the page goes back to its top, header and all.
      if (k === 1) window.scrollTo(0, 0);
      else field.closest('.cell, .textrow').scrollIntoView({ block: 'nearest', inline: 'nearest' });
      field.setSelectionRange(0, 25);
    }

    function listen(field, k, i) {
      field.addEventListener('input', function () { game.type(k, field.value); });
      field.addEventListener('blur', function () { judge(k); });
      field.addEventListener('keydown', function (event) {
        if (event.isComposing) return;
        switch (event.key) {
          case 'Enter':
            event.preventDefault();
            if (!event.repeat) judge(k);
            break;
          case 'Tab': {
            event.preventDefault();
            if (event.repeat) break;
            judge(k);
            reach(game.number('next_field', k, event.shiftKey ? -1 : 1));
            break;
          }
          case 'F1':
            event.preventDefault();
            if (event.repeat) break;
            game.tryEverywhere(k, field.value);
            show();
            keep();
            reach(k);
            break;
          case 'F2':
            if (!parts.buttons) break;
            event.preventDefault();
            play(i);
            break;
          case 'F3':
            if (!parts.buttons) break;
            event.preventDefault();
            stop();
            break;
          case 'Escape':
            event.preventDefault();
            document.getElementById('clear').focus();
            break;
        }
      });
    }

    const dialog = document.getElementById('confirm');
    document.getElementById('clear').addEventListener('click', function () {
      if (typeof dialog.showModal === 'function') dialog.showModal();
      else if (window.confirm(document.getElementById('confirm-text').textContent)) clearAnswers();
    });
    document.getElementById('confirm-keep').addEventListener('click', function () { dialog.close(); });
    document.getElementById('confirm-clear').addEventListener('click', function () {
      dialog.close();
      clearAnswers();
    });
    function clearAnswers() {
      game.clear();
      storage.clear();
      show();
    }

    // A phone may end a hidden page without telling it: what the fields
    // hold is kept as the page is hidden, and as it goes.
    document.addEventListener('visibilitychange', function () {
      if (document.visibilityState === 'hidden') keep();
    });
    window.addEventListener('pagehide', function () {
      keep();
      storage.leave();
    });

    function readMedia() {
      const block = JSON.parse(document.getElementById('quiz-media').textContent);
      media = block.media || [];
      answerPictures = block.answers || [];
      mediaRead = true;
      for (const image of pictures) if (image) delete image.dataset.shows;
      show();
      document.documentElement.dataset.media = 'ready';
    }

    buildBoard();
    storage.load();
    show();
    document.documentElement.dataset.state = 'ready';
    performance.mark('quiz-ready');
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', readMedia);
    else readMedia();
  }

  WebAssembly.instantiate(bytesOf(data.module), {}).then(function (made) {
    const exports = made.instance.exports;
    exports._initialize();
    const game = gameOf(exports);
    game.load(bytesOf(data.content), bytesOf(data.codes));
    start(game);
  }, function () {
    const problem = document.getElementById('problem');
    problem.textContent = 'Ce navigateur ne peut pas lancer le quiz.';
    problem.hidden = false;
  });
})();
